// SPDX-License-Identifier: GPL-3.0-or-later
#include "announce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {
const char *const kAlertProperty = "ardentiaAlert";

QAccessibleInterface *alertInterface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || !widget->property(kAlertProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::AlertMessage);
}
} // namespace

void Announce::makeAlert(QWidget *widget)
{
    static const bool installed = [] {
        QAccessible::installFactory(alertInterface);
        return true;
    }();
    (void)installed;
    widget->setProperty(kAlertProperty, true);
}

void Announce::alert(QWidget *widget, const QString &text)
{
    widget->setAccessibleName(text);
    QAccessibleEvent event(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

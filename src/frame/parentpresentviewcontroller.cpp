// SPDX-License-Identifier: GPL-3.0-or-later
#include "parentpresentviewcontroller.h"

#include "control/useordering.h"
#include "core/showalertmanager.h"
#include "transport/commandline.h"

#include <QLineEdit>
#include <QPainter>

ParentPresentViewController::ParentPresentViewController(QWidget *parent) : QWidget(parent) {}

QList<QVariantMap> &
ParentPresentViewController::updateArrayFBTSWithArray(QList<QVariantMap> &records)
{
    return UseOrdering::updateArrayFBTSWithArray(records);
}

QWidget *ParentPresentViewController::getParentCellView(QWidget *control, const char *cellClass)
{
    for (QWidget *w = control; w; w = w->parentWidget())
        if (w->inherits(cellClass))
            return w;
    return nullptr;
}

void ParentPresentViewController::attachNameField(QLineEdit *field)
{
    field->setProperty("ardentiaBefore", field->text());
    connect(field, &QLineEdit::textEdited, this, [field](const QString &after) {
        bool tooLong = false;
        const QString shown =
            nameFieldText(field->property("ardentiaBefore").toString(), after, &tooLong);
        if (shown != after) {
            const QSignalBlocker block(field);
            field->setText(shown);
        }
        field->setProperty("ardentiaBefore", shown);
        if (tooLong)
            ShowAlertManager::instance()->showLabelWithTitle(tr("Maximum 20 bytes"));
    });
    // Text set by the program (not typed) is the new starting point.
    connect(field, &QLineEdit::textChanged, field, [field](const QString &text) {
        if (!field->isModified())
            field->setProperty("ardentiaBefore", text);
    });
}

QString ParentPresentViewController::nameFieldText(const QString &before, const QString &after,
                                                   bool *tooLong)
{
    *tooLong = false;
    if (!CommandLine::isSendableField(after))
        return before;
    const bool inserting = after.size() >= before.size() && after != before;
    if (inserting && before.size() >= kMaxNameLength) {
        *tooLong = true;
        return before.left(kMaxNameLength);
    }
    return after;
}

void ParentPresentViewController::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(227, 215, 205));
}

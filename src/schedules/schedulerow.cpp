// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulerow.h"

#include "views/accessibleviews.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const QString kBody = QStringLiteral("font-size: 14px; color: rgb(80, 80, 80);");
const QString kQuiet = QStringLiteral("font-size: 13px; color: rgb(122, 110, 102);");
} // namespace

ScheduleRow::ScheduleRow(const Texts &texts, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("scheduleRow"));
    // Read-only, yet reached by Tab: a keyboard or screen-reader user goes
    // through the list row by row, and the list follows the focus.
    setFocusPolicy(Qt::TabFocus);
    AccessibleViews::markReadOnlyRow(this);
    setStyleSheet(QStringLiteral(
        "QFrame#scheduleRow { border: none; border-bottom: 1px solid rgb(215, 203, 193);"
        " background: transparent; }"
        "QFrame#scheduleRow:focus { background: rgb(235, 226, 218); }"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->setSpacing(3);
    auto *top = new QHBoxLayout();
    top->setSpacing(8);
    QLabel *name =
        line(texts.name, "name",
             QStringLiteral("font-size: 16px; font-weight: bold; color: rgb(80, 80, 80);"));
    QLabel *state =
        line(texts.state, "state",
             texts.enabled ? QStringLiteral("font-size: 14px; color: rgb(46, 125, 50);")
                           : QStringLiteral("font-size: 14px; color: rgb(150, 140, 132);"));
    state->setWordWrap(false);
    top->addWidget(name, 1);
    top->addWidget(state, 0, Qt::AlignTop);
    layout->addLayout(top);
    layout->addWidget(line(texts.action, "action", kBody));
    layout->addWidget(line(texts.when, "when", kQuiet));
    if (!texts.next.isEmpty())
        layout->addWidget(line(texts.next, "next", kBody));
    if (!texts.reason.isEmpty())
        layout->addWidget(line(texts.reason, "reason",
                               QStringLiteral("font-size: 13px; color: rgb(190, 68, 67);")));

    QStringList description = lines();
    description.removeFirst();
    setAccessibleName(texts.name);
    setAccessibleDescription(description.join(QLatin1Char('\n')));
}

QLabel *ScheduleRow::line(const QString &text, const char *name, const QString &style)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(style);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText); // names come from the home's owner
    return label;
}

QStringList ScheduleRow::lines() const
{
    QStringList texts;
    for (const QLabel *label : findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        texts.append(label->text());
    return texts;
}

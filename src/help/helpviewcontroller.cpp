// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpviewcontroller.h"

#include "core/helptopics.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "helpdetailotherviewcontroller.h"
#include "helpdetailviewcontroller.h"
#include "instalguideviewcontroller.h"
#include "views/tablearea.h"

#include <QPushButton>

HelpViewController::HelpViewController(QWidget *parent)
    : ParentViewController(tr("Help"), parent), m_table(new TableArea(this))
{
    TableArea *table = m_table;
    const QStringList titles = HelpTopics::rowTitles();
    for (int k = 0; k < titles.size(); ++k) {
        auto *row = new QPushButton(titles.at(k));
        row->setObjectName(QStringLiteral("helpRow%1").arg(k));
        row->setFixedHeight(kRowHeight);
        row->setStyleSheet(
            QStringLiteral("QPushButton { text-align: left; padding-left: 16px; font-size: 16px;"
                           " color: rgb(80, 80, 80); border: none; background: transparent; }"
                           "QPushButton:pressed { background: rgb(215, 203, 193); }"));
        connect(row, &QPushButton::clicked, this, [this, k] { cellButtonPressed(k); });
        table->rows()->addWidget(row);
        m_rows.append(row);
    }
    table->rows()->addStretch(1);
    table->setObjectName(QStringLiteral("helpTable"));
}

void HelpViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    m_table->setGeometry(0, NavigationBar::kHeight, width(), height() - NavigationBar::kHeight);
}

void HelpViewController::cellButtonPressed(int row)
{
    auto *stack = NavigationStack::of(this);
    if (!stack || row < 0 || row >= HelpTopics::RowCount)
        return;
    if (row == HelpTopics::InstallationGuide) {
        stack->push(new InstalGuideViewController(), true);
        return;
    }
    HelpDetailViewController *detail = HelpTopics::usesOtherLayout(row)
                                           ? new HelpDetailOtherViewController()
                                           : new HelpDetailViewController();
    stack->push(detail, true);
    detail->updateHelpDetailDictionary(HelpTopics::topic(row));
}

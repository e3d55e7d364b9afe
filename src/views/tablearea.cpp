// SPDX-License-Identifier: GPL-3.0-or-later
#include "tablearea.h"

#include "followfocus.h"

#include "touchpan.h"

#include <QCoreApplication>
#include <QScrollBar>

TableArea::TableArea(QWidget *parent)
    : QScrollArea(parent), m_layout(new QVBoxLayout(new QWidget()))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setWidget(m_layout->parentWidget());
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus); // what it holds takes the focus; it scrolls to follow
    FollowFocus::install(this);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One finger scrolls the list on a touch screen.
    new TouchPan(this);
    setStyleSheet(QStringLiteral(
        "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
}

void TableArea::rebuildRows(const std::function<void()> &rebuild)
{
    const int kept = verticalScrollBar()->value();
    rebuild();
    // New rows would show on the next turn of the event loop, and until then
    // the layout gives them no room.
    for (int k = 0; k < m_layout->count(); ++k) {
        QWidget *row = m_layout->itemAt(k)->widget();
        if (row && !row->testAttribute(Qt::WA_WState_ExplicitShowHide))
            row->show();
    }
    m_layout->activate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    verticalScrollBar()->setValue(kept);
}

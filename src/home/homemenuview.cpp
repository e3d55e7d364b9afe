// SPDX-License-Identifier: GPL-3.0-or-later
#include "homemenuview.h"

#include "frame/navigationbar.h"
#include "menuslide.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
QStringList rowTitles()
{
    return {HomeMenuView::tr("Device Management"),
            HomeMenuView::tr("Schedules"),
            HomeMenuView::tr("Clean All"),
            HomeMenuView::tr("Synchronize Data"),
            HomeMenuView::tr("Help"),
            HomeMenuView::tr("About")};
}
} // namespace

HomeMenuView::HomeMenuView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("leftView"));
    auto *header = new QLabel(tr("System Setting"), this);
    header->setObjectName(QStringLiteral("header"));
    header->setStyleSheet(QStringLiteral("color: rgb(170, 160, 150); font-size: 14px;"
                                         " padding-left: 16px;"));
    header->setGeometry(0, NavigationBar::kContentTop + 10, 280, kHeaderHeight);
    for (int k = 0; k < RowCount; ++k) {
        auto *row = new QPushButton(this);
        row->setObjectName(QStringLiteral("menuRow%1").arg(k));
        row->setStyleSheet(QStringLiteral(
            "QPushButton { color: white; font-size: 17px; text-align: left; padding-left: 20px;"
            " border: none; border-bottom: 1px solid rgb(90, 80, 76); background: transparent; }"
            "QPushButton:pressed { background: rgb(90, 80, 76); }"));
        connect(row, &QPushButton::clicked, this, [this, k] { Q_EMIT cellButtonPressed(k); });
        m_rows.append(row);
    }
    reloadData();
}

void HomeMenuView::reloadData()
{
    const QStringList titles = rowTitles();
    for (int k = 0; k < RowCount; ++k)
        m_rows.at(k)->setText(titles.at(k));
}

void HomeMenuView::resizeEvent(QResizeEvent *)
{
    const int top = NavigationBar::kContentTop + 10 + kHeaderHeight;
    for (int k = 0; k < RowCount; ++k)
        m_rows.at(k)->setGeometry(0, top + k * kRowHeight, MenuSlide::openX(width()), kRowHeight);
}

void HomeMenuView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(69, 61, 59));
}

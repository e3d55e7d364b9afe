// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtfirstinitparentview.h"

#include "fade.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>

VtFirstInitParentView::VtFirstInitParentView(QWidget *window)
    : QWidget(window), m_circle(new MoveCircleView(this))
{
    setObjectName(QStringLiteral("firstInitOverlay"));
    setGeometry(window->rect());
    auto *logo = new QLabel(QStringLiteral("Ardentia\nHome"), this);
    logo->setAlignment(Qt::AlignCenter);
    logo->setStyleSheet(QStringLiteral("color: white; font-size: 20px; font-weight: bold;"));
    logo->setGeometry((width() - 120) / 2, (height() - 120) / 2, 120, 120);
    m_circle->move((width() - 120) / 2, (height() - 120) / 2);
    connect(m_circle, &MoveCircleView::finished, this, &VtFirstInitParentView::hideFirstLogoView);
}

void VtFirstInitParentView::fadeOut(std::function<void()> done)
{
    Fade::outAndRemove(this, 1000, std::move(done));
}

void VtFirstInitParentView::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), QColor(69, 61, 59));
}

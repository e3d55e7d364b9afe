// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtpagecontrol.h"

#include "accessibleviews.h"
#include "keyboardactivation.h"
#include "keyboardmodality.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr double kDot = 7;
constexpr double kGap = 9;
} // namespace

VtPageControl::VtPageControl(QWidget *parent) : QWidget(parent)
{
    AccessibleViews::install();
    setFixedHeight(16);
    setAccessibleName(tr("Page"));
}

void VtPageControl::setNumberOfPages(int pages)
{
    m_pages = qMax(0, pages);
    setFocusPolicy(m_pages > 1 ? Qt::TabFocus : Qt::NoFocus); // one page has nothing to turn
    m_current = qBound(0, m_current, qMax(0, m_pages - 1));
    update();
}

void VtPageControl::setCurrentPage(int page)
{
    const int current = qBound(0, page, qMax(0, m_pages - 1));
    if (current == m_current)
        return;
    m_current = current;
    pageShown();
}

void VtPageControl::pageShown()
{
    update();
    QAccessibleValueChangeEvent event(this, m_current + 1);
    QAccessible::updateAccessibility(&event);
}

void VtPageControl::choosePage(int page)
{
    if (page < 0 || page >= m_pages || page == m_current)
        return;
    m_current = page;
    pageShown();
    Q_EMIT pageChosen(page);
}

void VtPageControl::setColours(const QColor &current, const QColor &other)
{
    m_currentColour = current;
    m_otherColour = other;
    update();
}

void VtPageControl::paintEvent(QPaintEvent *)
{
    if (m_pages < 2)
        return; // one page needs no dots
    QPainter painter(this);
    if (KeyboardModality::showsFocusRing(this))
        KeyboardActivation::drawFocusRing(painter, rect(), m_currentColour);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double total = m_pages * kDot + (m_pages - 1) * kGap;
    double x = (width() - total) / 2;
    for (int page = 0; page < m_pages; ++page, x += kDot + kGap) {
        painter.setBrush(page == m_current ? m_currentColour : m_otherColour);
        painter.drawEllipse(QRectF(x, (height() - kDot) / 2, kDot, kDot));
    }
}

void VtPageControl::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void VtPageControl::mouseReleaseEvent(QMouseEvent *event)
{
    choosePage(event->position().x() < width() / 2.0 ? m_current - 1 : m_current + 1);
}

void VtPageControl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left)
        choosePage(m_current - 1);
    else if (event->key() == Qt::Key_Right)
        choosePage(m_current + 1);
    else
        QWidget::keyPressEvent(event);
}

void VtPageControl::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void VtPageControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

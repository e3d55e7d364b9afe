#include "vtpagecontrol.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr double kDot = 7;
constexpr double kGap = 9;
} // namespace

VtPageControl::VtPageControl(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(16);
}

void VtPageControl::setNumberOfPages(int pages)
{
    m_pages = qMax(0, pages);
    m_current = qBound(0, m_current, qMax(0, m_pages - 1));
    update();
}

void VtPageControl::setCurrentPage(int page)
{
    m_current = qBound(0, page, qMax(0, m_pages - 1));
    update();
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
    const int page = event->position().x() < width() / 2.0 ? m_current - 1 : m_current + 1;
    if (page < 0 || page >= m_pages)
        return;
    m_current = page;
    update();
    Q_EMIT pageChosen(page);
}

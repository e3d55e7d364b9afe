// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtpagedscrollview.h"

#include "followfocus.h"

#include "touchpan.h"
#include "vtpagecontrol.h"

#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScrollBar>

VtPagedScrollView::VtPagedScrollView(QWidget *parent)
    : QScrollArea(parent),
      m_animation(new QPropertyAnimation(horizontalScrollBar(), "value", this)),
      m_pan(new TouchPan(this, Qt::Horizontal))
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus); // what it holds takes the focus; it scrolls to follow
    FollowFocus::install(this);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    setWidget(new QWidget());
    widget()->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    m_animation->setDuration(kSettleMilliseconds);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    // A drag with a finger (even one that lands on a field of a page) or
    // with the mouse swipes the pages.
    m_pan->setMomentum(false);
    m_pan->setMouseToo(true);
    connect(m_pan, &TouchPan::panEnded, this, &VtPagedScrollView::settleThrown);
}

void VtPagedScrollView::setSwipeEnabled(bool on)
{
    m_pan->setEnabled(on);
}

int VtPagedScrollView::pageNearest(int offset, int pageWidth)
{
    if (pageWidth <= 0)
        return 0;
    return (qMax(0, offset) + pageWidth / 2) / pageWidth;
}

void VtPagedScrollView::setPages(const QList<QWidget *> &pages)
{
    // Later: the old pages may hold the button whose touch led here.
    for (QWidget *old : std::as_const(m_pages)) {
        old->hide();
        old->deleteLater();
    }
    m_pages = pages;
    for (QWidget *page : m_pages) {
        page->setParent(widget());
        page->show();
    }
    layoutPages();
    if (m_control)
        m_control->setNumberOfPages(pageCount());
    scrollToPage(qMin(m_current, qMax(0, pageCount() - 1)), false);
}

void VtPagedScrollView::setPageControl(VtPageControl *control)
{
    m_control = control;
    m_control->setNumberOfPages(pageCount());
    m_control->setCurrentPage(m_current);
    connect(m_control, &VtPageControl::pageChosen, this,
            [this](int page) { scrollToPage(page, true); });
}

void VtPagedScrollView::scrollToPage(int page, bool animated)
{
    const int bounded = qBound(0, page, qMax(0, pageCount() - 1));
    const int target = bounded * pageSize().width();
    m_animation->stop();
    if (animated && target != horizontalScrollBar()->value()) {
        m_animation->setStartValue(horizontalScrollBar()->value());
        m_animation->setEndValue(target);
        m_animation->start();
    } else {
        horizontalScrollBar()->setValue(target);
    }
    setCurrent(bounded);
}

void VtPagedScrollView::settle()
{
    scrollToPage(pageNearest(horizontalScrollBar()->value(), pageSize().width()), true);
}

void VtPagedScrollView::settleThrown(double velocity)
{
    // A quick flick turns the page even when it moved less than half of it.
    const int offset = horizontalScrollBar()->value() + int(velocity * kSettleMilliseconds);
    const int page = pageNearest(offset, pageSize().width());
    scrollToPage(qBound(m_current - 1, page, m_current + 1), true);
}

void VtPagedScrollView::setCurrent(int page)
{
    if (m_control)
        m_control->setCurrentPage(page);
    if (std::exchange(m_current, page) != page)
        Q_EMIT currentPageChanged(page);
}

void VtPagedScrollView::layoutPages()
{
    const QSize page = pageSize();
    for (int k = 0; k < pageCount(); ++k)
        m_pages.at(k)->setGeometry(k * page.width(), 0, page.width(), page.height());
    widget()->resize(page.width() * qMax(1, pageCount()), page.height());
}

void VtPagedScrollView::mousePressEvent(QMouseEvent *event)
{
    // Taken, so that the drag that may follow comes here: a press nothing
    // on the page wanted would leave the swipe with no receiver.
    event->accept();
}

void VtPagedScrollView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    layoutPages();
    scrollToPage(m_current, false);
}

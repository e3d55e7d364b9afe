// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QScrollArea>

class QPropertyAnimation;
class TouchPan;
class VtPageControl;

// Pages side by side, each as wide as the view. A swipe that comes to rest
// settles on the page nearest its offset (half a page or more counts as the
// next) and the page control follows; touching the control scrolls to the
// page it shows.
class VtPagedScrollView : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int kSettleMilliseconds = 250;

    explicit VtPagedScrollView(QWidget *parent = nullptr);

    // Replaces the pages; the view owns them.
    void setPages(const QList<QWidget *> &pages);
    int pageCount() const { return int(m_pages.size()); }
    QWidget *page(int index) const { return m_pages.value(index); }
    int currentPage() const { return m_current; }
    // The control is the caller's to place; the view keeps it current.
    void setPageControl(VtPageControl *control);
    void scrollToPage(int page, bool animated);
    // Off: a finger or the mouse no longer swipes the pages.
    void setSwipeEnabled(bool on);
    // The offset came to rest: settle on the nearest page.
    void settle();
    // A finger let go moving at this speed (pixels per millisecond): settle
    // on the page it was thrown towards, at most one page on.
    void settleThrown(double velocity);

    // One page's size: the view's own (no frame, no scroll bars), known as
    // soon as its geometry is set, before it is shown.
    QSize pageSize() const { return size(); }

    static int pageNearest(int offset, int pageWidth);

Q_SIGNALS:
    void currentPageChanged(int page);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutPages();
    void setCurrent(int page);

    QList<QWidget *> m_pages;
    VtPageControl *m_control = nullptr;
    QPropertyAnimation *m_animation;
    TouchPan *m_pan;
    int m_current = 0;
};

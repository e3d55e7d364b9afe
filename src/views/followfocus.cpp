// SPDX-License-Identifier: GPL-3.0-or-later
#include "followfocus.h"

#include "vtpagedscrollview.h"

#include <QApplication>
#include <QScrollArea>

void FollowFocus::install(QScrollArea *area)
{
    QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget *, QWidget *now) {
        QWidget *content = area->widget();
        if (!now || !content || !content->isAncestorOf(now))
            return;
        if (auto *paged = qobject_cast<VtPagedScrollView *>(area)) {
            for (int page = 0; page < paged->pageCount(); ++page)
                if (paged->page(page)->isAncestorOf(now) && page != paged->currentPage())
                    paged->scrollToPage(page, false);
            return;
        }
        area->ensureWidgetVisible(now, 0, 0);
    });
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame/parentviewcontroller.h"

class VtPageControl;
class VtPagedScrollView;

// Two pages: connecting the transmitter, then scanning it with the app.
class InstalGuideViewController : public ParentViewController {
    Q_OBJECT

public:
    explicit InstalGuideViewController(QWidget *parent = nullptr);
    static QStringList pageTexts();
    VtPagedScrollView *pages() const { return m_pages; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildPages();

    VtPagedScrollView *m_pages;
    VtPageControl *m_pageControl;
};

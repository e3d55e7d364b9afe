// SPDX-License-Identifier: GPL-3.0-or-later
#include "instalguideviewcontroller.h"

#include "frame/navigationbar.h"
#include "views/illustrations.h"
#include "views/screenmode.h"
#include "views/vtpagecontrol.h"
#include "views/vtpagedscrollview.h"

#include <QLabel>
#include <QResizeEvent>

namespace {
constexpr int kTextHeight = 60;
constexpr int kPageControlHeight = 20;
} // namespace

InstalGuideViewController::InstalGuideViewController(QWidget *parent)
    : ParentViewController(tr("Installation Guide"), parent), m_pages(new VtPagedScrollView(this)),
      m_pageControl(new VtPageControl(this))
{
    m_pages->setObjectName(QStringLiteral("guidePages"));
    m_pages->setPageControl(m_pageControl);
}

QStringList InstalGuideViewController::pageTexts()
{
    return {tr("Connect the ZEVO-4100 Transmitter to the power supply and the internet"),
            tr("Open app to scan the QR code of the transmitter and add it to the system")};
}

void InstalGuideViewController::buildPages()
{
    // The picture fills the page's width, less 70 points except on a 640 x 1136
    // screen, centred; the text under it.
    const QSize pageSize = m_pages->pageSize();
    const int pictureWidth =
        ScreenMode::of(size()) == ScreenMode::Tall ? pageSize.width() : pageSize.width() - 70;
    const QStringList texts = pageTexts();
    QList<QWidget *> pages;
    for (int k = 0; k < texts.size(); ++k) {
        auto *page = new QWidget();
        page->setObjectName(QStringLiteral("guidePage%1").arg(k + 1));
        auto *picture = new QLabel(page);
        picture->setObjectName(QStringLiteral("picture"));
        const QString name = QStringLiteral("guide_D_%1").arg(k + 1);
        const int maxHeight = qMax(1, pageSize.height() - kTextHeight - 20);
        QPixmap pixmap = Illustrations::toWidth(name, pictureWidth, devicePixelRatioF());
        if (pixmap.height() / pixmap.devicePixelRatio() > maxHeight)
            pixmap =
                Illustrations::inBox(name, QSize(pictureWidth, maxHeight), devicePixelRatioF());
        picture->setPixmap(pixmap);
        const QSize shown = pixmap.deviceIndependentSize().toSize();
        picture->setGeometry((pageSize.width() - shown.width()) / 2, 10, shown.width(),
                             shown.height());
        auto *text = new QLabel(texts.at(k), page);
        text->setObjectName(QStringLiteral("text"));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignCenter);
        text->setStyleSheet(QStringLiteral("font-size: 18px; color: rgb(194, 80, 74);"));
        text->setGeometry(15, picture->geometry().bottom() + 1 + 10, pageSize.width() - 30,
                          kTextHeight);
        pages.append(page);
    }
    m_pages->setPages(pages);
}

void InstalGuideViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    const int top = NavigationBar::kHeight;
    m_pages->setGeometry(0, top, width(), height() - top - kPageControlHeight);
    m_pageControl->setGeometry(0, height() - kPageControlHeight - 4, width(), kPageControlHeight);
    if (event->oldSize() != size())
        buildPages();
}

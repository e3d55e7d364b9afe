// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtwelcomeview.h"

#include "aboutusviewcontroller.h"
#include "views/illustrations.h"
#include "views/screenmode.h"
#include "views/vtpagecontrol.h"
#include "views/vtpagedscrollview.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

namespace {
constexpr int kWelcomePageControlHeight = 24;
const QColor kBackground(227, 215, 205);

QLabel *pageLabel(const QString &text, const QString &style, QWidget *page)
{
    auto *label = new QLabel(text, page);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setStyleSheet(style);
    label->ensurePolished(); // its height is measured with the style's font
    return label;
}
} // namespace

VtWelcomeView::VtWelcomeView(QWidget *window)
    : QWidget(window), m_pages(new VtPagedScrollView(this)), m_pageControl(new VtPageControl(this))
{
    setObjectName(QStringLiteral("welcomeView"));
    setGeometry(window->rect());
    m_pages->setPageControl(m_pageControl);
    m_pageControl->setColours(QColor(194, 80, 74), QColor(190, 178, 168));
}

QList<WelcomePage> VtWelcomeView::pageTexts()
{
    return {
        {AboutUSViewController::kDisplayName, tr("为您量身定做的智能家居管家"), {}},
        {tr("全新界面"), tr("活泼温馨的界面设计和有趣的操作体验,为您的家居生活增添乐趣"), {}},
        {tr("扫一扫添加"), tr("用手机扫描二维码,您可以快捷地添加设备"), {}},
        {tr("灯光控制"), tr("您可以用手机控制和调节家里所有的灯光,为您的家创造完美的氛围"), {}},
        {tr("窗帘控制"), tr("您可以在家里任何地方用手机开关窗帘,让更多的阳光照耀您的家"), {}},
        {tr("场景一键操控"), tr("您可以为家里的灯光和窗帘设置场景,并随时随地进行控制"), {}},
        {tr("现在\n开启您的智能家居之旅吧"), {}, tr("请将无线转发器通电并联网")},
    };
}

QString VtWelcomeView::pictureName(const QSize &windowPoints, int page)
{
    const QString set = ScreenMode::of(windowPoints) == ScreenMode::Tall ? QStringLiteral("5")
                                                                         : QStringLiteral("4");
    return QStringLiteral("welcome_D%1_%2").arg(set).arg(page);
}

void VtWelcomeView::buildPages()
{
    const QSize pageSize = m_pages->pageSize();
    const QList<WelcomePage> texts = pageTexts();
    const int w = pageSize.width();
    QList<QWidget *> pages;
    for (int k = 0; k < texts.size(); ++k) {
        const WelcomePage &text = texts.at(k);
        auto *page = new QWidget();
        page->setObjectName(QStringLiteral("welcomePage%1").arg(k + 1));
        auto *picture = new QLabel(page);
        picture->setObjectName(QStringLiteral("picture"));
        const QString name = pictureName(size(), k + 1);
        const int pictureHeight = pageSize.height() * 11 / 20;
        picture->setPixmap(
            Illustrations::inBox(name, QSize(w, pictureHeight), devicePixelRatioF()));
        picture->setGeometry(0, 20, w, pictureHeight);
        int y = 20 + pictureHeight + 14;
        QLabel *title =
            pageLabel(text.title, QStringLiteral("font-size: 23px; color: rgb(69, 61, 59);"), page);
        title->setObjectName(QStringLiteral("title"));
        const int titleHeight = title->heightForWidth(w - 40);
        title->setGeometry(20, y, w - 40, titleHeight);
        y += titleHeight + 10;
        const bool last = k == texts.size() - 1;
        QLabel *detail =
            pageLabel(last ? text.reminder : text.detail,
                      QStringLiteral("font-size: 14px; color: rgb(110, 100, 92);"), page);
        detail->setObjectName(last ? QStringLiteral("reminder") : QStringLiteral("detail"));
        detail->setGeometry(30, y, w - 60, detail->heightForWidth(w - 60));
        pages.append(page);
        if (!last)
            continue;
        y += detail->height() + 16;
        m_start = new QPushButton(tr("立即体验"), page);
        m_start->setObjectName(QStringLiteral("start"));
        m_start->setStyleSheet(QStringLiteral(
            "QPushButton { font-size: 18px; font-weight: bold; color: white; border: none;"
            " border-radius: 20px; background: rgb(194, 80, 74); }"
            "QPushButton:pressed { background: rgb(160, 60, 55); }"));
        m_start->setGeometry((w - 160) / 2, y, 160, 40);
        connect(m_start, &QPushButton::clicked, this, &VtWelcomeView::startPressed);
        m_help = new QPushButton(page);
        m_help->setObjectName(QStringLiteral("help"));
        m_help->setIcon(QIcon(
            Illustrations::inBox(QStringLiteral("init_help"), QSize(32, 32), devicePixelRatioF())));
        m_help->setIconSize(QSize(32, 32));
        m_help->setFlat(true);
        m_help->setStyleSheet(QStringLiteral("border: none;"));
        m_help->setGeometry(w - 52, 16, 40, 40);
        connect(m_help, &QPushButton::clicked, this, &VtWelcomeView::helpPressed);
    }
    m_pages->setPages(pages);
}

void VtWelcomeView::resizeEvent(QResizeEvent *event)
{
    m_pages->setGeometry(0, 0, width(), height() - kWelcomePageControlHeight - 10);
    m_pageControl->setGeometry(0, height() - kWelcomePageControlHeight - 10, width(),
                               kWelcomePageControlHeight);
    if (event->oldSize() != size())
        buildPages();
}

void VtWelcomeView::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), kBackground);
}

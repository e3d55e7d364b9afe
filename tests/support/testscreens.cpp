// SPDX-License-Identifier: GPL-3.0-or-later
#include "testscreens.h"

#include "control/appdelegate.h"

TestScreenStack::TestScreenStack()
{
    AppDelegate::instance()->setNavigationController(this);
}

TestScreenStack::~TestScreenStack()
{
    if (AppDelegate::instance()->navigationController() == this)
        AppDelegate::instance()->setNavigationController(nullptr);
}

TestFrameScreen::TestFrameScreen(const QString &title) : navTitle(title), barTitle(title) {}

void TestFrameScreen::startBarActivity(const QString &title)
{
    barTitle = title;
    m_barActivity = true;
}

void TestFrameScreen::stopBarActivity()
{
    barTitle = navTitle;
    m_barActivity = false;
}

void TestFrameScreen::showNetworkAlertViewWithImageName(const QString &imageName,
                                                        const QString &title)
{
    if (m_bannerShowing)
        return;
    m_bannerShowing = true;
    bannerIcon = BannerIcon(imageName.toInt());
    bannerText = title;
    ++bannersAdded;
}

void TestFrameScreen::setConnectionBanner(BannerIcon icon, const QString &title)
{
    bannerIcon = icon;
    bannerText = title;
}

void TestFrameScreen::removeConnectionBanner()
{
    m_bannerShowing = false;
    bannerText.clear();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "parentnavigationviewcontroller.h"

#include "control/appdelegate.h"
#include "core/showalertmanager.h"
#include "navigationbar.h"
#include "navigationstack.h"
#include "views/announce.h"
#include "views/vtactivityindicator.h"
#include "views/vtconnectstateview.h"

#include <QLabel>
#include <QShowEvent>

ParentNavigationViewController::ParentNavigationViewController(QWidget *parent)
    : ParentPresentViewController(parent)
{
}

void ParentNavigationViewController::setMainNavigationBar()
{
    if (m_navBar)
        return;
    m_navBar = new NavigationBar(this);
    m_navBar->setGeometry(0, 0, width(), NavigationBar::kHeight);
    connect(m_navBar->leftButton(), &QPushButton::clicked, this,
            &ParentNavigationViewController::navLeftButtonItemPressed);
    connect(m_navBar->rightButton(), &QPushButton::clicked, this,
            &ParentNavigationViewController::navRightButtonItemPressed);
}

void ParentNavigationViewController::initTitleViewWithText(const QString &text, int type)
{
    setMainNavigationBar();
    m_navBar->setTitle(text);
    if (type == 0)
        m_navTitle = text;
}

void ParentNavigationViewController::startBarActivity(const QString &title)
{
    initTitleViewWithText(title, 1);
    m_navBar->setTitleOffset(15);
    if (!m_barIndicator)
        m_barIndicator = new VtActivityIndicator(VtActivityIndicator::Size::Small, m_navBar);
    // Centred 15 points left of the title text, at its height.
    QLabel *label = m_navBar->titleLabel();
    const int textLeft =
        label->x() + (label->width() - label->fontMetrics().horizontalAdvance(title)) / 2;
    m_barIndicator->move(textLeft - 15 - m_barIndicator->width() / 2,
                         label->y() + (label->height() - m_barIndicator->height()) / 2);
    m_barIndicator->show();
    m_barIndicator->startAnimating();
}

void ParentNavigationViewController::stopBarActivity()
{
    if (m_navBar) {
        m_navBar->setTitle(m_navTitle);
        m_navBar->setTitleOffset(0);
    }
    if (m_barIndicator) {
        m_barIndicator->stopAnimating();
        m_barIndicator->deleteLater();
        m_barIndicator = nullptr;
    }
}

bool ParentNavigationViewController::hasBarActivity() const
{
    return m_barIndicator != nullptr;
}

void ParentNavigationViewController::showNetworkAlertViewWithImageName(const QString &imageName,
                                                                       const QString &title)
{
    if (m_banner)
        return;
    QWidget *content = contentView();
    m_banner = new QWidget(content);
    m_banner->setObjectName(QStringLiteral("connectionBanner"));
    Announce::makeAlert(m_banner);
    m_banner->setAutoFillBackground(true);
    QPalette palette = m_banner->palette();
    palette.setColor(QPalette::Window, QColor(83, 71, 65));
    m_banner->setPalette(palette);
    const int top = content == this ? NavigationBar::kHeight : 0;
    m_banner->setGeometry(0, top, content->width(), kBannerHeight);
    m_bannerIcon = new VtConnectStateView(m_banner);
    m_bannerIcon->move(10, (kBannerHeight - m_bannerIcon->height()) / 2);
    m_bannerIcon->setSelectType(imageName.toInt());
    m_bannerLabel = new QLabel(title, m_banner);
    m_bannerLabel->setWordWrap(true);
    m_bannerLabel->setStyleSheet(QStringLiteral("color: white; font-size: 16px;"));
    const int labelLeft = 10 + m_bannerIcon->width() + 10;
    m_bannerLabel->setGeometry(labelLeft, 0, content->width() - labelLeft - 20, kBannerHeight);
    m_banner->show();
    m_banner->raise();
    Announce::alert(m_banner, title);
}

void ParentNavigationViewController::setConnectionBanner(BannerIcon icon, const QString &title)
{
    if (!m_banner)
        return;
    m_bannerIcon->setSelectType(int(icon));
    m_bannerLabel->setText(title);
    Announce::alert(m_banner, title);
}

void ParentNavigationViewController::removeConnectionBanner()
{
    if (!m_banner)
        return;
    m_banner->deleteLater();
    m_banner = nullptr;
    m_bannerIcon = nullptr;
    m_bannerLabel = nullptr;
}

void ParentNavigationViewController::navLeftButtonItemPressed()
{
    if (auto *stack = NavigationStack::of(this))
        stack->leave(this);
}

void ParentNavigationViewController::showEvent(QShowEvent *event)
{
    ParentPresentViewController::showEvent(event);
    if (event->spontaneous() || popType() == Modal)
        return;
    ShowAlertManager *feedback = ShowAlertManager::instance();
    if (AppDelegate::instance()->ifConnected() == AppDelegate::kConnectionFailed)
        feedback->transmitterConnectionFailed();
    else
        feedback->transmitterConnectionSuccessful(1);
}

void ParentNavigationViewController::hideEvent(QHideEvent *event)
{
    ParentPresentViewController::hideEvent(event);
    if (event->spontaneous() || popType() == Modal)
        return;
    ShowAlertManager::instance()->stopActivity();
    // The stack's top may already be the next screen: this one's own
    // indicator goes too, so it does not spin on when the screen comes back.
    stopBarActivity();
}

void ParentNavigationViewController::keepBarOnTop()
{
    if (m_banner)
        m_banner->raise();
    if (m_navBar)
        m_navBar->raise();
}

void ParentNavigationViewController::resizeEvent(QResizeEvent *event)
{
    ParentPresentViewController::resizeEvent(event);
    if (m_navBar)
        m_navBar->setGeometry(0, 0, width(), NavigationBar::kHeight);
    if (m_banner && contentView() == this)
        m_banner->resize(width(), kBannerHeight);
}

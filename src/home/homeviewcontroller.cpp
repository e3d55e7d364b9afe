#include "homeviewcontroller.h"

#include "../store/checkmanager.h"
#include "navigationbar.h"

HomeViewController::HomeViewController(QWidget *parent)
    : ParentNavigationViewController(parent), m_centerView(new QWidget(this))
{
    setMainNavigationBar();
    navBar()->setLeftIcon(QIcon(QStringLiteral(":/icons/menu.svg")));
    navBar()->setRightIcon(QIcon(QStringLiteral(":/icons/scan.svg")));
    initTitleViewWithText(tr("Home"), 0);
    m_centerView->setObjectName(QStringLiteral("centerView"));
}

void HomeViewController::updateCenterView()
{
    ++m_refreshes;
}

void HomeViewController::navRightButtonItemPressed()
{
    CheckManager::setUpScanControllerWithType(std::nullopt);
}

void HomeViewController::navLeftButtonItemPressed()
{
    Q_EMIT menuRequested();
}

void HomeViewController::resizeEvent(QResizeEvent *event)
{
    ParentNavigationViewController::resizeEvent(event);
    m_centerView->setGeometry(0, NavigationBar::kHeight, width(),
                              height() - NavigationBar::kHeight);
}

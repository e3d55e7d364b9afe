// SPDX-License-Identifier: GPL-3.0-or-later
#include "showalertmanager.h"

#include "control/appdelegate.h"
#include "control/homelookup.h"
#include "control/screenstack.h"
#include "control/udpsocketmanager.h"
#include "headlessfeedbackpresenter.h"
#include "navigationframescreen.h"
#include "store/recordkeys.h"

namespace {
ScreenStack *navigationStack(const AppDelegate &application)
{
    return application.navigationController();
}

// The screen the person sees, when it is in the navigation frame: it shows
// the bar's indicator and the connection banner.
NavigationFrameScreen *frameOnTop(const AppDelegate &application)
{
    const ScreenStack *stack = navigationStack(application);
    return stack ? stack->topScreenAs<NavigationFrameScreen>() : nullptr;
}
} // namespace

ShowAlertManager::ShowAlertManager(AppDelegate &application)
    : m_application(application), m_presenter(&m_builtInPresenter)
{
    for (QTimer *timer : {&m_showLabelTimer, &m_showActivityTimer, &m_bannerRemovalTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    m_showLabelTimer.setInterval(kToastMilliseconds);
    m_bannerRemovalTimer.setInterval(kBannerSuccessMilliseconds);
    connect(&m_showLabelTimer, &QTimer::timeout, this, &ShowAlertManager::finishedFading);
    connect(&m_showActivityTimer, &QTimer::timeout, this, [this] { activityOnTimeOut(); });
    connect(&m_bannerRemovalTimer, &QTimer::timeout, this,
            &ShowAlertManager::removeSucceededBanner);
}

void ShowAlertManager::setPresenter(FeedbackPresenter *presenter)
{
    m_presenter = presenter ? presenter : &m_builtInPresenter;
}

void ShowAlertManager::showLabelWithTitle(const QString &title, const QString &detail)
{
    showToast(title, detail, ToastTone::Problem);
}

void ShowAlertManager::report(const FlowOutcome &outcome)
{
    const FlowOutcome told = outcome.told();
    // What the home did shows itself (a light, a list): a flow done without
    // words of its own needs no toast.
    if (!told.title.isEmpty())
        showToast(told.title, told.detail,
                  told.isDone() ? ToastTone::GoodNews : ToastTone::Problem);
    Q_EMIT flowEnded(told);
}

void ShowAlertManager::showToast(const QString &title, const QString &detail, ToastTone tone)
{
    if (m_toastShowing)
        finishedFading();
    m_toastShowing = true;
    m_presenter->showToast(title, detail, tone);
    m_showLabelTimer.start();
    Q_EMIT toastShown(title, detail);
}

void ShowAlertManager::showStoreUnreadable()
{
    report(FlowOutcome::storeFailure(tr("The home's data cannot be read"), tr("Please try again")));
}

void ShowAlertManager::showControlFailed()
{
    report(FlowOutcome::noReply());
}

void ShowAlertManager::finishedFading()
{
    m_showLabelTimer.stop();
    if (!m_toastShowing)
        return;
    m_toastShowing = false;
    m_presenter->hideToast();
}

void ShowAlertManager::startActivity(double seconds, ActivityEnd end)
{
    if (m_application.connectionType() == AppDelegate::kDatagramExchange &&
        checkStartNavigationActivity(seconds, end))
        return;
    if (checkActivityShowOn())
        stopActivity();
    m_windowActivity = true;
    m_presenter->showWindowActivity();
    startActivityTimer(seconds, end);
}

bool ShowAlertManager::checkStartNavigationActivity(double seconds, ActivityEnd end)
{
    auto *screen = frameOnTop(m_application);
    if (!screen)
        return false;
    screen->startBarActivity(tr("Connecting..."));
    startActivityTimer(seconds, end);
    return true;
}

void ShowAlertManager::startActivityTimer(double seconds, ActivityEnd end)
{
    m_showActivityTimer.stop();
    if (end == ActivityEnd::OwnTimeOut)
        m_showActivityTimer.start(int(qMax(0.0, seconds * 1000.0)));
}

void ShowAlertManager::stopActivity()
{
    m_application.setConnectionType(AppDelegate::kDatagramExchange);
    m_showActivityTimer.stop();
    checkStopNavigationActivity();
    if (m_windowActivity) {
        m_windowActivity = false;
        m_presenter->hideWindowActivity();
    }
}

bool ShowAlertManager::checkStopNavigationActivity()
{
    auto *screen = frameOnTop(m_application);
    if (!screen)
        return false;
    screen->stopBarActivity();
    return true;
}

bool ShowAlertManager::checkActivityShowOn() const
{
    if (m_windowActivity)
        return true;
    auto *screen = frameOnTop(m_application);
    return screen && screen->hasBarActivity();
}

void ShowAlertManager::activityOnTimeOut(Waiter waiter)
{
    m_showActivityTimer.stop();
    AppDelegate *app = &m_application;
    if (waiter == Waiter::Step) {
        // the flow's own screen shows how it ended
    } else if (waiter != Waiter::Caller && app->connectionType() == AppDelegate::kStreamImport) {
        showControlFailed();
    } else if (app->connectionType() == AppDelegate::kDatagramExchange) {
        transmitterConnectionFailed();
        // The banner tells the person; a check of the link nobody asked for
        // ends no flow, and a flow with a caller of its own has told it.
        if (waiter == Waiter::Person)
            Q_EMIT flowEnded(
                {FlowOutcome::Kind::NoReply, tr("Network connection failed"), {}, {}, {}});
    }
    if (waiter == Waiter::Person || waiter == Waiter::Step)
        stopActivity();
}

bool ShowAlertManager::anyTransmitterStored()
{
    return UDPSocketManager::instance()->homeLookup()->firstTransmitter().has_value();
}

void ShowAlertManager::transmitterConnectionFailed()
{
    auto *screen = frameOnTop(m_application);
    if (!screen || !anyTransmitterStored())
        return;
    screen->showNetworkAlertViewWithImageName(QStringLiteral("1"), tr("Network connection failed"));
}

void ShowAlertManager::transmitterConnectionSuccessful(int type)
{
    auto *screen = frameOnTop(m_application);
    if (!screen || !screen->hasConnectionBanner())
        return;
    if (type != 2) {
        screen->removeConnectionBanner();
        return;
    }
    screen->setConnectionBanner(NavigationFrameScreen::BannerIcon::Tick,
                                tr("Connection successful"));
    m_succeededBannerScreen = navigationStack(m_application)->topScreen();
    m_bannerRemovalTimer.start();
}

void ShowAlertManager::removeSucceededBanner()
{
    Screen *screen = m_succeededBannerScreen;
    m_succeededBannerScreen = nullptr;
    ScreenStack *stack = navigationStack(m_application);
    if (!screen || !stack || !stack->contains(screen))
        return;
    if (auto *frame = dynamic_cast<NavigationFrameScreen *>(screen))
        frame->removeConnectionBanner();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "clisession.h"

#include "control/appdelegate.h"
#include "control/homescreen.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// The screen the tool stands on: it has a bar (so commands show their
// indicator there) and takes the connection banner.
class CliSession::FrameScreen : public Screen,
                                public NavigationFrameScreen,
                                public ReloadableScreen,
                                public HomeScreen {
public:
    void startBarActivity(const QString &) override { m_activity = true; }
    void stopBarActivity() override { m_activity = false; }
    bool hasBarActivity() const override { return m_activity; }
    void showNetworkAlertViewWithImageName(const QString &imageName, const QString &) override
    {
        if (!m_banner)
            m_banner = imageName.toInt() == int(BannerIcon::Cross) ? 1 : 0;
    }
    bool hasConnectionBanner() const override { return m_banner.has_value(); }
    void setConnectionBanner(BannerIcon icon, const QString &) override
    {
        m_banner = icon == BannerIcon::Cross ? 1 : 0;
    }
    void removeConnectionBanner() override { m_banner.reset(); }
    void updateMainView() override {}
    void updateCenterView() override {}
    bool failureBanner() const { return m_banner == 1; }

private:
    bool m_activity = false;
    std::optional<int> m_banner;
};

class CliSession::TransmitterScreen final : public FrameScreen, public TransmitterEnrolmentScreen {
public:
    void superBoxAddSucceed(bool succeeded) override { outcome = succeeded; }
    std::optional<bool> outcome;
};

class CliSession::DeviceScreen final : public FrameScreen, public DeviceEnrolmentScreen {
public:
    void panelAddSucceed(const QString &count) override { outcome = count; }
    std::optional<QString> outcome;
};

// The flows the tool starts tell it their outcome and put their question to it.
class CliSession::Caller final : public FlowCaller {
public:
    explicit Caller(CliSession *session) : m_session(session) {}
    // A flow that outlives the session (the tool is ending) tells no one.
    void leave() { m_session = nullptr; }
    void report(const FlowOutcome &outcome) override
    {
        if (m_session)
            m_session->m_outcomes.append(outcome.told());
    }
    bool ask(const QString &message, const QStringList &buttons,
             AlertPresenter::Answer answer) override
    {
        if (!m_session)
            return false;
        m_session->showAlert(message, buttons, std::move(answer));
        return true;
    }
    void showProgress(double) override {}
    void stopProgress() override {}

private:
    CliSession *m_session;
};

CliSession::CliSession(bool forceRemovals)
    : m_home(std::make_unique<FrameScreen>()), m_caller(std::make_shared<Caller>(this)),
      m_force(forceRemovals)
{
    m_stack.append(m_home.get());
    AppDelegate *app = AppDelegate::instance();
    app->setNavigationController(this);
    app->setNavigator(this);
    ShowAlertManager::instance()->setPresenter(this);
    ShowAlertManager::instance()->setAlertPresenter(this);
    m_outcomeFeed =
        QObject::connect(ShowAlertManager::instance(), &ShowAlertManager::flowEnded,
                         [this](const FlowOutcome &outcome) { m_outcomes.append(outcome); });
}

CliSession::~CliSession()
{
    static_cast<Caller &>(*m_caller).leave();
    AppDelegate *app = AppDelegate::instance();
    app->setNavigationController(nullptr);
    app->setNavigator(nullptr);
    QObject::disconnect(m_outcomeFeed);
    ShowAlertManager::instance()->setPresenter(nullptr);
    ShowAlertManager::instance()->setAlertPresenter(nullptr);
}

QList<Screen *> CliSession::screens() const
{
    return m_stack;
}

void CliSession::popScreen(bool)
{
    if (m_stack.size() > 1)
        m_stack.removeLast();
}

void CliSession::popToScreen(Screen *screen, bool)
{
    while (m_stack.size() > 1 && m_stack.constLast() != screen)
        m_stack.removeLast();
}

void CliSession::pushTransmitterEnrolment()
{
    m_transmitterScreen = std::make_unique<TransmitterScreen>();
    m_stack.append(m_transmitterScreen.get());
}

void CliSession::pushDeviceEnrolment()
{
    m_deviceScreen = std::make_unique<DeviceScreen>();
    m_stack.append(m_deviceScreen.get());
}

std::optional<bool> CliSession::transmitterOutcome() const
{
    return m_transmitterScreen ? m_transmitterScreen->outcome : std::nullopt;
}

std::optional<QString> CliSession::deviceOutcome() const
{
    return m_deviceScreen ? m_deviceScreen->outcome : std::nullopt;
}

bool CliSession::bannerShowsFailure() const
{
    for (Screen *screen : m_stack)
        if (auto *frame = dynamic_cast<FrameScreen *>(screen); frame && frame->failureBanner())
            return true;
    return false;
}

void CliSession::pushTransmitterEnrolment(const QString &id, const QString &summary)
{
    m_decodedKind = QStringLiteral("SuperBox");
    m_decodedId = id;
    m_decodedSummary = summary;
}

void CliSession::pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                                     const QString &summary)
{
    m_decodedKind = control;
    m_decodedId = id;
    m_decodedGroups = groupCount;
    m_decodedSummary = summary;
}

void CliSession::showAlert(const QString &message, const QStringList &, Answer answer)
{
    m_questions.append(message);
    // Answered on the next turn, as a tap would be: 0 removes by force, 1 cancels.
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [answer, force = m_force] { answer(force ? 0 : 1); });
}

bool CliSession::isIdle() const
{
    return UDPSocketManager::instance()->isSettled() &&
           !TCPSocketManager::instance()->isImporting();
}

bool CliSession::runUntilIdle(int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    int quietTurns = 0;
    // Idle twice in a row, a little apart, so that deferred work (a closing
    // socket, an alert's answer) has had its turn.
    while (quietTurns < 2) {
        if (clock.elapsed() > limitMs)
            return false;
        QEventLoop pause;
        QTimer::singleShot(20, &pause, &QEventLoop::quit);
        pause.exec();
        quietTurns = isIdle() ? quietTurns + 1 : 0;
    }
    return true;
}

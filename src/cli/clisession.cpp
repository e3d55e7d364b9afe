// SPDX-License-Identifier: GPL-3.0-or-later
#include "clisession.h"

#include "control/appdelegate.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// The flows the tool starts tell it their outcome and put their question to it.
class CliSession::Caller final : public FlowCaller {
public:
    explicit Caller(CliSession *session) : m_session(session) {}
    // A flow that outlives the session (the tool is ending) tells no one.
    void forgetSession() { m_session = nullptr; }
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

CliSession::CliSession(const HomeServices &home, bool forceRemovals)
    : m_home(home), m_caller(std::make_shared<Caller>(this)), m_force(forceRemovals)
{
    m_home.application.setNavigator(this);
    ShowAlertManager::instance()->setPresenter(this);
}

CliSession::~CliSession()
{
    static_cast<Caller &>(*m_caller).forgetSession();
    m_home.application.setNavigator(nullptr);
    ShowAlertManager::instance()->setPresenter(nullptr);
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
    return m_home.channel.isSettled() && !m_home.import.isImporting();
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

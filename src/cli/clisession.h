// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/alertpresenter.h"
#include "control/flowcaller.h"
#include "control/flowoutcome.h"
#include "control/homeservices.h"
#include "control/navigator.h"
#include "core/feedbackpresenter.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

// The app's surroundings for the command line: the caller its flows are
// started with (their outcomes collected, the forced-removal question
// answered by a flag), the decoder's next step recorded instead of opened,
// feedback not drawn, and a way to run the event loop until a flow is done.
class CliSession final : public Navigator, public FeedbackPresenter, public AlertPresenter {
public:
    CliSession(const HomeServices &home, bool forceRemovals);
    ~CliSession() override;

    // Runs the loop until nothing is outstanding (no command, queue, follow-up
    // or import), or the time limit passes; false on the time limit.
    bool runUntilIdle(int limitMs = 60000);

    // Whoever starts the tool's flows: their outcomes and questions come to this session.
    std::shared_ptr<FlowCaller> caller() const { return m_caller; }
    // How each flow of this session ended, with the words the person is told.
    QList<FlowOutcome> outcomes() const { return m_outcomes; }
    std::optional<FlowOutcome> lastOutcome() const
    {
        return m_outcomes.isEmpty() ? std::nullopt : std::optional(m_outcomes.constLast());
    }
    QStringList questions() const { return m_questions; }

    // What the decoder opened.
    QString decodedKind() const { return m_decodedKind; }
    QString decodedId() const { return m_decodedId; }
    int decodedGroupCount() const { return m_decodedGroups; }
    QString decodedSummary() const { return m_decodedSummary; }

    // Navigator
    void pushScanner() override {}
    void pushDeviceSelection() override {}
    void pushTransmitterEnrolment(const QString &id, const QString &summary) override;
    void pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                             const QString &summary) override;

    // FeedbackPresenter
    void showToast(const QString &, const QString &, ToastTone) override {}
    void hideToast() override {}
    void showWindowActivity() override {}
    void hideWindowActivity() override {}

    // AlertPresenter
    void showAlert(const QString &message, const QStringList &buttons, Answer answer) override;

private:
    class Caller;

    bool isIdle() const;

    HomeServices m_home;
    QList<FlowOutcome> m_outcomes;
    std::shared_ptr<FlowCaller> m_caller;
    QStringList m_questions;
    bool m_force;
    QString m_decodedKind, m_decodedId, m_decodedSummary;
    int m_decodedGroups = 0;
};

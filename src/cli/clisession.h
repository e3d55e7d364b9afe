// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/alertpresenter.h"
#include "control/deviceenrolmentscreen.h"
#include "control/flowcaller.h"
#include "control/flowoutcome.h"
#include "control/navigator.h"
#include "control/reloadablescreen.h"
#include "control/screenstack.h"
#include "control/transmitterenrolmentscreen.h"
#include "core/feedbackpresenter.h"
#include "core/navigationframescreen.h"

#include <QObject>
#include <QStringList>

#include <optional>

// The app's surroundings for the command line: a navigation stack with one
// screen, feedback collected instead of drawn, the forced-removal question
// answered by a flag, and a way to run the event loop until a flow is done.
class CliSession final : public ScreenStack,
                         public Navigator,
                         public FeedbackPresenter,
                         public AlertPresenter {
public:
    explicit CliSession(bool forceRemovals);
    ~CliSession() override;

    // Runs the loop until nothing is outstanding (no command, queue, follow-up
    // or import), or the time limit passes; false on the time limit.
    bool runUntilIdle(int limitMs = 60000);

    // Whoever starts the tool's flows: their outcomes and questions come to this session.
    std::shared_ptr<FlowCaller> caller() const { return m_caller; }
    // How each flow of this session ended, with the words the person is told.
    QList<FlowOutcome> outcomes() const { return m_outcomes; }
    QStringList questions() const { return m_questions; }
    bool bannerShowsFailure() const;

    // The enrolment screen on top while a flow runs, with what it was told.
    void pushTransmitterEnrolment();
    void pushDeviceEnrolment();
    std::optional<bool> transmitterOutcome() const;
    std::optional<QString> deviceOutcome() const;

    // What the decoder opened.
    QString decodedKind() const { return m_decodedKind; }
    QString decodedId() const { return m_decodedId; }
    int decodedGroupCount() const { return m_decodedGroups; }
    QString decodedSummary() const { return m_decodedSummary; }

    // ScreenStack
    QList<Screen *> screens() const override;
    void popScreen(bool animated) override;
    void popToScreen(Screen *screen, bool animated) override;

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
    class FrameScreen;
    class TransmitterScreen;
    class DeviceScreen;
    class Caller;

    bool isIdle() const;

    std::unique_ptr<FrameScreen> m_home;
    std::unique_ptr<TransmitterScreen> m_transmitterScreen;
    std::unique_ptr<DeviceScreen> m_deviceScreen;
    QList<Screen *> m_stack;
    QList<FlowOutcome> m_outcomes;
    std::shared_ptr<FlowCaller> m_caller;
    QMetaObject::Connection m_outcomeFeed;
    QStringList m_questions;
    bool m_force;
    QString m_decodedKind, m_decodedId, m_decodedSummary;
    int m_decodedGroups = 0;
};

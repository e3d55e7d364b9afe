// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"
#include "control/flowfeedback.h"
#include "feedbackpresenter.h"
#include "headlessfeedbackpresenter.h"

#include <QObject>
#include <QTimer>

class AlertPresenter;
class AppDelegate;
class Screen;

// Transient feedback: the toast, the activity indicator of an outstanding
// command with its time-out, and the connection banner. It decides what shows
// and when; a FeedbackPresenter draws the toast and the window indicator, and
// the top navigation-frame screen draws its bar indicator and banner.
class ShowAlertManager final : public QObject,
                               public FlowFeedback,
                               public OwnedInstance<ShowAlertManager> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShowAlertManager)

public:
    static constexpr int kToastMilliseconds = 1500;
    static constexpr int kBannerSuccessMilliseconds = 2000;

    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    // Shows the application's connection state and its screens' indicator.
    explicit ShowAlertManager(AppDelegate &application);
    using OwnedInstance<ShowAlertManager>::instance;

    // Not owned. Null restores the built-in headless presenter.
    void setPresenter(FeedbackPresenter *presenter);
    FeedbackPresenter *presenter() const { return m_presenter; }
    // Not owned. Null means no one can answer: alerts are not shown.
    void setAlertPresenter(AlertPresenter *presenter) { m_alertPresenter = presenter; }
    AlertPresenter *alertPresenter() const override { return m_alertPresenter; }

    // How a flow ended: its toast (good news when done), and flowEnded.
    void report(const FlowOutcome &outcome) override;
    // A toast of a screen's own: a limit or a hint, not a flow's end.
    void showLabelWithTitle(const QString &title, const QString &detail = QString());
    // "Control failed" / "Please check device and network": no reply came.
    void showControlFailed();
    // The store could not be read: what the screen shows stays as it was.
    void showStoreUnreadable();
    void finishedFading() override;
    bool isToastShowing() const { return m_toastShowing; }

    void startActivity(double seconds, ActivityEnd end = ActivityEnd::OwnTimeOut) override;
    void stopActivity() override;
    bool checkActivityShowOn() const;
    void activityOnTimeOut(Waiter waiter = Waiter::Person) override;
    bool checkStartNavigationActivity(double seconds, ActivityEnd end = ActivityEnd::OwnTimeOut);
    bool checkStopNavigationActivity();
    bool isWindowActivityShowing() const { return m_windowActivity; }

    void transmitterConnectionFailed();
    void transmitterConnectionSuccessful(int type) override;

    // For tests: the running timers (interval and state).
    const QTimer &showLabelTimer() const { return m_showLabelTimer; }
    const QTimer &showActivityTimer() const { return m_showActivityTimer; }
    const QTimer &bannerRemovalTimer() const { return m_bannerRemovalTimer; }

Q_SIGNALS:
    // Every toast, as it is shown.
    void toastShown(const QString &title, const QString &detail);
    // Every flow's end, with the words the person was told.
    void flowEnded(const FlowOutcome &outcome);

private:
    void showToast(const QString &title, const QString &detail, ToastTone tone);
    void startActivityTimer(double seconds, ActivityEnd end);
    void removeSucceededBanner();
    static bool anyTransmitterStored();

    AppDelegate &m_application;
    HeadlessFeedbackPresenter m_builtInPresenter;
    FeedbackPresenter *m_presenter;
    AlertPresenter *m_alertPresenter = nullptr;
    QTimer m_showLabelTimer;
    QTimer m_showActivityTimer;
    QTimer m_bannerRemovalTimer;
    Screen *m_succeededBannerScreen = nullptr;
    bool m_toastShowing = false;
    bool m_windowActivity = false;
};

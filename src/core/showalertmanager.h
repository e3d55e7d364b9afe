// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"
#include "feedbackpresenter.h"
#include "headlessfeedbackpresenter.h"

#include <QObject>
#include <QTimer>

class AlertPresenter;
class Screen;

// Transient feedback: the toast, the activity indicator of an outstanding
// command with its time-out, and the connection banner. It decides what shows
// and when; a FeedbackPresenter draws the toast and the window indicator, and
// the top navigation-frame screen draws its bar indicator and banner.
class ShowAlertManager final : public QObject, public OwnedInstance<ShowAlertManager> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShowAlertManager)

public:
    static constexpr int kToastMilliseconds = 1500;
    static constexpr int kBannerSuccessMilliseconds = 2000;

    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    ShowAlertManager();

    // Not owned. Null restores the built-in headless presenter.
    void setPresenter(FeedbackPresenter *presenter);
    FeedbackPresenter *presenter() const { return m_presenter; }
    // Not owned. Null means no one can answer: alerts are not shown.
    void setAlertPresenter(AlertPresenter *presenter) { m_alertPresenter = presenter; }
    AlertPresenter *alertPresenter() const { return m_alertPresenter; }

    // A toast of a refusal, a failure, a limit or a hint.
    void showLabelWithTitle(const QString &title, const QString &detail = QString());
    // A toast that says the flow a person started has done what was asked.
    void showGoodNews(const QString &title);
    // "Control failed" / "Please check device and network".
    void showControlFailed();
    // The store could not be read: what the screen shows stays as it was.
    void showStoreUnreadable();
    void finishedFading();
    bool isToastShowing() const { return m_toastShowing; }

    // Who ends the indicator when no answer comes: its own timer of the
    // given seconds (a stream import), or the caller, whose command has a
    // wait of its own and reports its outcome (a datagram command).
    enum class ActivityEnd { OwnTimeOut, ByCaller };
    void startActivity(double seconds, ActivityEnd end = ActivityEnd::OwnTimeOut);
    void stopActivity();
    bool checkActivityShowOn() const;
    // Whose wait ran out: the top screen's own (an enrolment screen is told
    // its outcome), another command's (an enrolment screen is not), or the
    // quiet check of the link (only the link state and the banner follow; the
    // queue and the screen stay as they are).
    enum class Waiter { TopScreen, OtherCommand, LinkCheck };
    void activityOnTimeOut() { activityOnTimeOutAfterAdding(0, Waiter::TopScreen); }
    // The same, when a device enrolment got that far: its screen is told how
    // many channels were stored before the wait ran out.
    void activityOnTimeOutAfterAdding(int channelsAdded, Waiter waiter);
    bool checkStartNavigationActivity(double seconds, ActivityEnd end = ActivityEnd::OwnTimeOut);
    bool checkStopNavigationActivity();
    bool isWindowActivityShowing() const { return m_windowActivity; }

    void transmitterConnectionFailed();
    void transmitterConnectionSuccessful(int type);

    // For tests: the running timers (interval and state).
    const QTimer &showLabelTimer() const { return m_showLabelTimer; }
    const QTimer &showActivityTimer() const { return m_showActivityTimer; }
    const QTimer &bannerRemovalTimer() const { return m_bannerRemovalTimer; }

Q_SIGNALS:
    // Every toast, as it is shown.
    void toastShown(const QString &title, const QString &detail);

private:
    void showToast(const QString &title, const QString &detail, ToastTone tone);
    void startActivityTimer(double seconds, ActivityEnd end);
    void removeSucceededBanner();
    static bool anyTransmitterStored();

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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feedbackpresenter.h"

#include <QStringList>

// Feedback without a screen: toasts go to the log (for the command-line tool)
// and are kept, with the indicator's state, for whoever asks.
class HeadlessFeedbackPresenter final : public FeedbackPresenter {
public:
    void showToast(const QString &title, const QString &detail, ToastTone tone) override;
    void hideToast() override;
    void showWindowActivity() override;
    void hideWindowActivity() override;

    // Every toast shown, as "title" or "title / detail".
    QStringList toasts() const { return m_toasts; }
    QString visibleToast() const { return m_visibleToast; }
    bool isWindowActivityShowing() const { return m_windowActivity; }
    void clear();

    static QString toastText(const QString &title, const QString &detail);

private:
    QStringList m_toasts;
    QString m_visibleToast;
    bool m_windowActivity = false;
};

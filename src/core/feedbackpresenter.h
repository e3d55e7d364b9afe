// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a toast tells: that a flow the person started has done what was
// asked, or anything else (a refusal, a failure, a limit, a hint).
enum class ToastTone { Problem, GoodNews };

// Draws what the feedback service decides: the toast and the window activity
// indicator. The widget presenter paints them; headless presenters print or
// record them.
class FeedbackPresenter {
public:
    virtual ~FeedbackPresenter() = default;
    // Replaces any toast on show. An empty detail means none.
    virtual void showToast(const QString &title, const QString &detail, ToastTone tone) = 0;
    virtual void hideToast() = 0;
    virtual void showWindowActivity() = 0;
    virtual void hideWindowActivity() = 0;
};

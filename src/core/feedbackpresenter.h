#pragma once

#include <QString>

// Draws what the feedback service decides: the toast and the window activity
// indicator. The widget presenter paints them; headless presenters print or
// record them.
class FeedbackPresenter {
public:
    virtual ~FeedbackPresenter() = default;
    // Replaces any toast on show. An empty detail means none.
    virtual void showToast(const QString &title, const QString &detail) = 0;
    virtual void hideToast() = 0;
    virtual void showWindowActivity() = 0;
    virtual void hideWindowActivity() = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/feedbackpresenter.h"

#include <functional>

// The bridge's toasts: logged as before, and handed on (to the page whose
// owner's request they answer), with whether they are good news.
class PageToasts final : public FeedbackPresenter {
public:
    using Forward = std::function<void(const QString &title, const QString &detail, bool good)>;

    // Draws on logged, which stays in charge of the log and the indicator.
    PageToasts(FeedbackPresenter *logged, Forward forward)
        : m_logged(logged), m_forward(std::move(forward))
    {
    }

    void showToast(const QString &title, const QString &detail, ToastTone tone) override
    {
        m_logged->showToast(title, detail, tone);
        m_forward(title, detail, tone == ToastTone::GoodNews);
    }
    void hideToast() override { m_logged->hideToast(); }
    void showWindowActivity() override { m_logged->showWindowActivity(); }
    void hideWindowActivity() override { m_logged->hideWindowActivity(); }

private:
    FeedbackPresenter *m_logged;
    Forward m_forward;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/feedbackpresenter.h"

#include <QPointer>

class QWidget;
class VtActivityIndicator;
class VtMBRoundView;

// Draws the toast and the window activity indicator on a window.
class WidgetFeedbackPresenter final : public FeedbackPresenter {
public:
    static constexpr int kActivityPanelSide = 80;

    explicit WidgetFeedbackPresenter(QWidget *window);
    void showToast(const QString &title, const QString &detail, ToastTone tone) override;
    void hideToast() override;
    void showWindowActivity() override;
    void hideWindowActivity() override;

    QWidget *toast() const;
    QWidget *activityPanel() const;

private:
    QWidget *m_window;
    QPointer<VtMBRoundView> m_toast;
    QPointer<VtMBRoundView> m_activityPanel;
    QPointer<VtActivityIndicator> m_indicator;
};

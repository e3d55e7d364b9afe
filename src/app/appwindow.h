// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "control/navigator.h"
#include "control/startupview.h"
#include "help/vtwelcomeview.h"
#include "views/vtfirstinitparentview.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class HomeViewController;
class NavigationStack;
class VtAlertDialog;
class WidgetFeedbackPresenter;

// The one window: the navigation stack with the home screen at its root, the
// feedback drawn over it, and the start-up overlay. Its screens start their
// flows on the home's services it is given.
class AppWindow : public QWidget, public StartUpView, public Navigator {
    Q_OBJECT

public:
    static constexpr QSize kDefaultSize{320, 568};

    explicit AppWindow(const HomeServices &home);
    ~AppWindow() override;

    NavigationStack *navigationController() const { return m_stack; }
    HomeViewController *home() const { return m_home; }
    WidgetFeedbackPresenter *feedbackPresenter() const { return m_presenter.get(); }
    VtAlertDialog *alertDialog() const { return m_alerts.get(); }
    VtFirstInitParentView *overlay() const { return m_overlay; }
    VtWelcomeView *welcomeView() const { return m_welcome; }

    // Lays the logo overlay over the window; when its circle is drawn the
    // first-run check runs.
    void showFirstInitView();
    // Esc: closes the topmost sheet, else the home's menu, else goes back as
    // the screen's back button does. (Enter presses the focused button.)
    void goBack();

    // StartUpView
    void showWelcomePages() override;
    void hideLogoAndRefresh() override;

    // Navigator: the screens of later steps open here.
    void pushScanner() override;
    void showScanner(const std::optional<QString> &scanType) override;
    bool showsTransmitterEnrolment() const override;
    void pushDeviceSelection() override;
    void pushTransmitterEnrolment(const QString &id, const QString &summary) override;
    void pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                             const QString &summary) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void removeOverlay();

    HomeServices m_services;
    NavigationStack *m_stack;
    HomeViewController *m_home;
    std::unique_ptr<WidgetFeedbackPresenter> m_presenter;
    std::unique_ptr<VtAlertDialog> m_alerts;
    QPointer<VtFirstInitParentView> m_overlay;
    QPointer<VtWelcomeView> m_welcome;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "appwindow.h"

#include "base/logging.h"
#include "control/appdelegate.h"
#include "control/delegatemanager.h"
#include "control/scannerscreen.h"
#include "control/transmitterenrolmentscreen.h"
#include "core/showalertmanager.h"
#include "enrol/deviceaddviewcontroller.h"
#include "enrol/superboxaddviewcontroller.h"
#include "enrol/vtscanviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/parentnavigationviewcontroller.h"
#include "help/helpviewcontroller.h"
#include "help/vtwelcomeview.h"
#include "home/homeviewcontroller.h"
#include "scenarios/choosecontrolviewcontroller.h"
#include "views/dismissable.h"
#include "views/enteractivation.h"
#include "views/fade.h"
#include "views/keyboardmodality.h"
#include "views/vtalertdialog.h"
#include "views/vtfirstinitparentview.h"
#include "views/widgetfeedbackpresenter.h"

#include <QApplication>
#include <QShortcut>

AppWindow::AppWindow(const HomeServices &home)
    : m_services(home), m_stack(new NavigationStack(this)), m_home(new HomeViewController(home)),
      m_presenter(std::make_unique<WidgetFeedbackPresenter>(this)),
      m_alerts(std::make_unique<VtAlertDialog>(this))
{
    setWindowTitle(QStringLiteral("Ardentia Home"));
    resize(kDefaultSize);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(69, 61, 59));
    setPalette(palette);
    setAutoFillBackground(true);
    m_stack->setGeometry(rect());
    m_stack->push(m_home, false);

    AppDelegate &app = m_services.application;
    app.setNavigationController(m_stack);
    app.setNavigator(this);
    ShowAlertManager::instance()->setPresenter(m_presenter.get());
    ShowAlertManager::instance()->setAlertPresenter(m_alerts.get());
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &AppWindow::goBack);
    qApp->installEventFilter(new EnterActivation(this));
    KeyboardModality::follow();
}

AppWindow::~AppWindow()
{
    AppDelegate &app = m_services.application;
    app.setNavigationController(nullptr);
    app.setNavigator(nullptr);
    ShowAlertManager::instance()->setPresenter(nullptr);
    ShowAlertManager::instance()->setAlertPresenter(nullptr);
}

void AppWindow::goBack()
{
    // The topmost sheet closes as its Cancel does; an alert waits for its answer.
    if (m_alerts->visibleAlert())
        return;
    const QObjectList layers = children();
    for (auto it = layers.crbegin(); it != layers.crend(); ++it) {
        auto *layer = qobject_cast<QWidget *>(*it);
        if (auto *sheet = dynamic_cast<Dismissable *>(layer); sheet && layer->isVisible()) {
            sheet->dismiss();
            return;
        }
    }
    if (m_stack->top() == m_home) {
        if (m_home->ifShowLeftView())
            m_home->showLeftViewNormal(false, true);
        return;
    }
    if (auto *screen = dynamic_cast<ParentNavigationViewController *>(m_stack->top()))
        screen->navBar()->leftButton()->click();
}

void AppWindow::showFirstInitView()
{
    m_overlay = new VtFirstInitParentView(this);
    connect(m_overlay, &VtFirstInitParentView::hideFirstLogoView, this,
            [this] { m_services.files.hideFirstLogoView(this); });
    m_overlay->show();
    m_overlay->raise();
    m_overlay->circle()->start();
}

void AppWindow::removeOverlay()
{
    if (!m_overlay)
        return;
    // The top screen is told it appeared again (a scanner starts scanning).
    m_overlay->fadeOut([this] {
        if (auto *top = m_stack->top())
            top->updateMainView();
    });
}

void AppWindow::showWelcomePages()
{
    m_welcome = new VtWelcomeView(this);
    connect(m_welcome, &VtWelcomeView::startPressed, this, [this] {
        // The home refreshes as the pages fade away; a screen that waits for
        // them to go (the scanner) is told again once they have.
        if (auto *top = m_stack->top())
            top->updateMainView();
        Fade::outAndRemove(m_welcome, VtWelcomeView::kStartFadeMilliseconds, [this] {
            if (auto *top = m_stack->top())
                top->updateMainView();
        });
    });
    connect(m_welcome, &VtWelcomeView::helpPressed, this, [this] {
        Fade::outAndRemove(m_welcome, VtWelcomeView::kHelpFadeMilliseconds,
                           [this] { m_stack->push(new HelpViewController(), true); });
    });
    m_welcome->show();
    m_welcome->raise();
    // The pages fade in over the logo, which then goes.
    Fade::run(m_welcome, 0.0, 1.0, VtWelcomeView::kStartFadeMilliseconds, [this] {
        if (m_overlay) {
            m_overlay->hide();
            m_overlay->deleteLater();
        }
    });
}

void AppWindow::hideLogoAndRefresh()
{
    removeOverlay();
}

void AppWindow::pushScanner()
{
    m_stack->push(new VtScanViewController(m_services), true);
}

void AppWindow::showScanner(const std::optional<QString> &scanType)
{
    if (auto *scanner = m_stack->topScreenAs<ScannerScreen>())
        scanner->setScanType(scanType);
    else
        pushScanner();
}

bool AppWindow::showsTransmitterEnrolment() const
{
    return m_stack->topScreenAs<TransmitterEnrolmentScreen>() != nullptr;
}

void AppWindow::pushDeviceSelection()
{
    m_stack->push(new ChooseControlViewController(m_services), true);
}

void AppWindow::pushTransmitterEnrolment(const QString &id, const QString &summary)
{
    m_stack->push(new SuperBoxAddViewController(m_services, id, summary), true);
}

void AppWindow::pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                                    const QString &summary)
{
    m_stack->push(new DeviceAddViewController(m_services, id, groupCount, control, summary), true);
}

void AppWindow::resizeEvent(QResizeEvent *)
{
    m_stack->setGeometry(rect());
    if (m_overlay)
        m_overlay->setGeometry(rect());
    if (m_welcome)
        m_welcome->setGeometry(rect());
}

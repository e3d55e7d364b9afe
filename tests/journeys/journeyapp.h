// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/appwindow.h"
#include "frame/navigationstack.h"
#include "frame/parentpresentviewcontroller.h"
#include "home/homeviewcontroller.h"
#include "simulatedwindow.h"
#include "transmitterserver.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QSize>
#include <QStringList>
#include <QtTest>

#include <functional>

#include <memory>

class QLineEdit;
class VtMoveCell;
class WindowActivation;

// The real window on the demo home (imported from the loopback simulator),
// driven as a person drives it: taps, drags and keys on what the screen
// shows, from the home screen on. It reads only what is on the screen and
// what the simulator received; every tap first checks that the control is
// there to be touched (on screen, not under another widget).
class JourneyApp : public SimulatedWindow {
public:
    // How many times faster than the app's the window's animations run.
    static constexpr int kAnimationSpeedUp = 4;

    // The window sizes every journey runs at, the phone's the smallest.
    static constexpr QSize kPhoneSize{320, 568};
    static void addSizes();
    static QSize currentSize();

    // adjust: changes to the demo home before it is imported.
    explicit JourneyApp(QSize size, const std::function<void(SimulatedHome &)> &adjust = {});
    ~JourneyApp() override;
    JourneyApp(const JourneyApp &) = delete;
    JourneyApp &operator=(const JourneyApp &) = delete;

    bool started() const { return simulator() && window(); }
    // Waits until the home screen is on top and at rest.
    [[nodiscard]] bool homeOnTop()
    {
        return QTest::qWaitFor([this] { return top() == home(); }) && settle();
    }

    // Waits for the screen to come to rest: no animation running in the
    // window, nothing outstanding on the channel, no event of the window
    // still queued (a layout asked for). False on a time-out.
    [[nodiscard]] bool settle(int timeoutMs = 5000);
    // Waits until a screen of this class is on top and at rest.
    template <typename T> T *waitFor(int timeoutMs = 5000)
    {
        if (!QTest::qWaitFor([this] { return topAs<T>() != nullptr; }, timeoutMs) ||
            !settle(timeoutMs))
            return nullptr;
        return topAs<T>();
    }

    // Brings the widget into view (scrolling its list) and taps its centre,
    // or the given point of it, with the mouse or a finger. Fails the test
    // when something else would take the tap there.
    [[nodiscard]] bool tap(QWidget *widget, std::optional<QPoint> at = std::nullopt);
    [[nodiscard]] bool touch(QWidget *widget, std::optional<QPoint> at = std::nullopt);
    // A visible button of the window (top screen, sheet or dialog) by its
    // text or accessible name; null when there is none.
    QAbstractButton *button(const QString &text) const;
    // The visible row of the top screen that shows this name.
    VtMoveCell *row(const QString &name) const;
    QStringList rowNames() const;
    // A drag across a row, right to left, as a finger opening its panel.
    void swipeLeft(QWidget *row);
    // A one-finger drag from the widget's centre (or the given point of it)
    // by the given distance, and a slow one across a row to the left.
    void fingerDrag(QWidget *from, QPoint by, std::optional<QPoint> at = std::nullopt,
                    int steps = 8);
    void fingerSwipeLeft(QWidget *rowWidget);
    [[nodiscard]] bool back();
    // Opens a row of the home's menu as a person does: the menu button when
    // the menu is closed (it stays open when a screen it opened comes back),
    // then the row, once the second that guards the rows is past.
    [[nodiscard]] bool openMenuRow(const QString &text);
    // Presses Tab until the focused widget is the wanted one (at most 80
    // times); false when Tab never reaches it.
    [[nodiscard]] bool focusByTab(const std::function<bool(QWidget *)> &wanted);
    // Presses a key on the focused widget, then waits for the screen to rest.
    [[nodiscard]] bool press(Qt::Key key);
    void type(QLineEdit *field, const QString &text);

    // Problems a person would meet on the window now: controls under other
    // widgets or cut by the window's edge, lists whose last row cannot be
    // brought above a bar. Empty when there are none.
    QStringList audit();
    // What a screen reader would meet on the window now: interactive
    // controls without an accessible name, or with a name cut short ("…").
    QStringList unnamedControls() const;
    // What a keyboard user meets with Tab on the window now, going once all
    // the way round: a focus that lands out of sight or under something,
    // controls on show that Tab never reaches, an order that jumps back up
    // more than the once it takes to go round.
    QStringList tabRound();
    // Audits, then keeps a picture of the window for people to look at.
    QStringList auditAndSave(const QString &name);

private:
    // The longest a look at the rest spends delivering queued events.
    static constexpr int kQueueDrainMilliseconds = 100;

    QStringList coveredControls(QWidget *scope) const;
    // Interactive, shown in full and not under anything: a person can use it.
    bool isOnShow(QWidget *widget) const;
    int screenTop(QWidget *widget) const;
    // The widgets of the window a person can use now (a sheet's alone while one shows).
    QList<QWidget *> usableWidgets();
    QWidget *modalLayer() const;
    [[nodiscard]] bool reach(QWidget *widget, QPoint at);
    // Starts the menu's guard clock when the widget is a row of the home's menu.
    void noteMenuRowTap(const QWidget *widget);

    std::unique_ptr<WindowActivation> m_activation;
    QElapsedTimer m_sinceMenuRowTap;
};

// The window size of the journey being run, from its global data row.
#define JOURNEY_SIZES                                                                              \
    void initTestCase_data()                                                                       \
    {                                                                                              \
        JourneyApp::addSizes();                                                                    \
    }

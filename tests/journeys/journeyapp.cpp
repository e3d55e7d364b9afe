// SPDX-License-Identifier: GPL-3.0-or-later
#include "journeyapp.h"

#include "app/windowactivation.h"
#include "appwindowtesting.h"
#include "control/configurationimport.h"
#include "frame/navigationbar.h"
#include "frame/parentnavigationviewcontroller.h"
#include "home/homemenuview.h"
#include "home/homeviewcontroller.h"
#include "loopbacksimulator.h"
#include "store/database.h"
#include "views/elidedlabel.h"
#include "views/vtlightingimageview.h"
#include "views/vtmovecell.h"
#include "views/vtsimpleslider.h"

#include <QAbstractAnimation>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QBasicTimer>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPointingDevice>
#include <QScrollArea>
#include <QScrollBar>

namespace {
// Runs every animation of the process at a multiple of its speed, on the
// usual frame ticks. A journey waits for each animation to end before it
// looks, and the end is the same; only the wait is shorter.
class QuickAnimationDriver final : public QAnimationDriver {
public:
    QuickAnimationDriver(int speedUp, QObject *parent)
        : QAnimationDriver(parent), m_speedUp(speedUp)
    {
    }

    qint64 elapsed() const override
    {
        return m_clock.isValid() ? m_clock.elapsed() * m_speedUp : 0;
    }

protected:
    void start() override
    {
        m_clock.start();
        m_ticks.start(kTickMilliseconds, Qt::PreciseTimer, this);
        QAnimationDriver::start();
    }

    void stop() override
    {
        m_ticks.stop();
        QAnimationDriver::stop();
    }

    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() == m_ticks.timerId())
            advance();
        else
            QAnimationDriver::timerEvent(event);
    }

private:
    static constexpr int kTickMilliseconds = 16;
    const int m_speedUp;
    QElapsedTimer m_clock;
    QBasicTimer m_ticks;
};

void speedUpAnimations()
{
    static QPointer<QuickAnimationDriver> driver;
    if (driver)
        return;
    driver = new QuickAnimationDriver(JourneyApp::kAnimationSpeedUp, qApp);
    driver->install();
}

QPointingDevice *touchScreen()
{
    static QPointingDevice *device = QTest::createTouchDevice();
    return device;
}

// What a person can press, drag or type into.
bool isInteractive(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) ||
           qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const VtSimpleSlider *>(widget) || qobject_cast<const VtMoveCell *>(widget);
}

QString describe(const QWidget *widget)
{
    QString text;
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        text = button->text();
    if (text.isEmpty())
        text = widget->accessibleName();
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QString::fromLatin1(widget->metaObject()->className()), text, widget->objectName());
}

QAbstractScrollArea *scrollAreaOf(const QWidget *widget)
{
    for (QWidget *up = widget->parentWidget(); up; up = up->parentWidget())
        if (auto *area = qobject_cast<QAbstractScrollArea *>(up))
            if (area->viewport()->isAncestorOf(widget))
                return area;
    return nullptr;
}

// The part of the widget its ancestors let show, in window coordinates.
QRect visiblePart(const QWidget *widget)
{
    const QWidget *window = widget->window();
    QRect shown(widget->mapTo(window, QPoint(0, 0)), widget->size());
    for (const QWidget *up = widget->parentWidget(); up && up != window; up = up->parentWidget())
        shown &= QRect(up->mapTo(window, QPoint(0, 0)), up->size());
    return shown & window->rect();
}

const ParentPresentViewController *screenOf(const QWidget *widget)
{
    for (const QWidget *up = widget; up; up = up->parentWidget())
        if (auto *screen = dynamic_cast<const ParentPresentViewController *>(up))
            return screen;
    return nullptr;
}

} // namespace

void JourneyApp::addSizes()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("phone") << kPhoneSize;
    QTest::newRow("tablet") << QSize(768, 1024);
    QTest::newRow("desktop") << QSize(1024, 768);
}

QSize JourneyApp::currentSize()
{
    QFETCH_GLOBAL(QSize, size);
    return size;
}

JourneyApp::JourneyApp(QSize size, const std::function<void(SimulatedHome &)> &adjust)
{
    SimulatedHome home = SimulatedHome::demo();
    if (adjust)
        adjust(home);
    if (!startSimulator(std::move(home)))
        return;
    quickenChannel();
    speedUpAnimations();
    storeDemoMaster();
    // The demo home, as the master's import gives it.
    if (!ConfigurationImport(program().services())
             .rebuildStoreFrom(QString::fromUtf8(simulator()->home().configurationText())))
        return;
    if (!openWindow(size))
        return;
    // As at the app's start: the first activation checks the link to the master.
    m_activation = std::make_unique<WindowActivation>(window(), program().lifecycle());
    m_activation->start();
}

JourneyApp::~JourneyApp()
{
    (void)settle();
    m_activation.reset();
}

bool JourneyApp::settle(int timeoutMs)
{
    return QTest::qWaitFor(
        [this] {
            // What waits in the queue is delivered first: widgets added to a
            // shown screen show on a later turn of the loop, and the layout
            // an animation's last frame asked for (the tiles below a panel
            // that has grown) runs only then.
            QCoreApplication::processEvents(QEventLoop::AllEvents, kQueueDrainMilliseconds);
            const QList<QAbstractAnimation *> animations =
                window()->findChildren<QAbstractAnimation *>();
            return AppWindowTesting::channelSettled() &&
                   std::none_of(animations.cbegin(), animations.cend(), [](auto *animation) {
                       return animation->state() == QAbstractAnimation::Running;
                   });
        },
        timeoutMs);
}

bool JourneyApp::reach(QWidget *widget, QPoint at)
{
    if (!widget || !widget->isVisible()) {
        qWarning("nothing to tap: %s", widget ? qPrintable(describe(widget)) : "null");
        return false;
    }
    if (auto *area = qobject_cast<QScrollArea *>(scrollAreaOf(widget)))
        area->ensureWidgetVisible(widget, 0, 0);
    const QPoint inWindow = widget->mapTo(window(), at);
    QWidget *hit = window()->childAt(inWindow);
    if (hit != widget && !widget->isAncestorOf(hit)) {
        qWarning("%s cannot be touched at (%d, %d): %s is there", qPrintable(describe(widget)),
                 inWindow.x(), inWindow.y(), hit ? qPrintable(describe(hit)) : "nothing");
        return false;
    }
    return true;
}

bool JourneyApp::tap(QWidget *widget, std::optional<QPoint> at)
{
    const QPoint point = at.value_or(widget ? widget->rect().center() : QPoint());
    if (!reach(widget, point))
        return false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, point);
    QCoreApplication::processEvents();
    noteMenuRowTap(widget);
    return true;
}

bool JourneyApp::touch(QWidget *widget, std::optional<QPoint> at)
{
    const QPoint point = at.value_or(widget ? widget->rect().center() : QPoint());
    if (!reach(widget, point))
        return false;
    const QPoint inWindow = widget->mapTo(window(), point);
    QTest::touchEvent(window(), touchScreen()).press(0, inWindow);
    QTest::touchEvent(window(), touchScreen()).release(0, inWindow);
    noteMenuRowTap(widget);
    return true;
}

QAbstractButton *JourneyApp::button(const QString &text) const
{
    // Sheets and dialogs lie over the screens: the last match is the topmost.
    const QList<QAbstractButton *> buttons = window()->findChildren<QAbstractButton *>();
    for (auto it = buttons.crbegin(); it != buttons.crend(); ++it) {
        QAbstractButton *candidate = *it;
        const ParentPresentViewController *screen = screenOf(candidate);
        if (!candidate->isVisible() || (screen && screen != top()))
            continue;
        if (candidate->text() == text || candidate->accessibleName() == text)
            return candidate;
    }
    return nullptr;
}

VtMoveCell *JourneyApp::row(const QString &name) const
{
    for (VtMoveCell *cell : top()->findChildren<VtMoveCell *>()) {
        if (!cell->isVisible())
            continue;
        for (const ElidedLabel *label : cell->findChildren<ElidedLabel *>())
            if (label->fullText() == name)
                return cell;
    }
    return nullptr;
}

QStringList JourneyApp::rowNames() const
{
    QStringList names;
    for (VtMoveCell *cell : top()->findChildren<VtMoveCell *>())
        if (cell->isVisible())
            for (const ElidedLabel *label : cell->findChildren<ElidedLabel *>())
                names << label->fullText();
    return names;
}

void JourneyApp::swipeLeft(QWidget *rowWidget)
{
    const QPoint from(rowWidget->width() - 40, rowWidget->height() / 2);
    QTest::mousePress(rowWidget, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(rowWidget, from - QPoint(30 * step, 0));
    QTest::mouseRelease(rowWidget, Qt::LeftButton, {}, from - QPoint(120, 0));
}

void JourneyApp::fingerDrag(QWidget *from, QPoint by, std::optional<QPoint> at, int steps)
{
    const QPoint start = from->mapTo(window(), at.value_or(from->rect().center()));
    QTest::touchEvent(window(), touchScreen()).press(0, start);
    for (int step = 1; step <= steps; ++step) {
        QTest::qWait(4); // a finger takes time to move: the throw is measured from it
        QTest::touchEvent(window(), touchScreen()).move(0, start + by * step / steps);
    }
    QTest::touchEvent(window(), touchScreen()).release(0, start + by);
}

void JourneyApp::fingerSwipeLeft(QWidget *rowWidget)
{
    const QPoint start = rowWidget->mapTo(window(), QPoint(rowWidget->width() - 30, 30));
    QTest::touchEvent(window(), touchScreen()).press(0, start);
    for (int step = 1; step <= 10; ++step) {
        QTest::qWait(10);
        QTest::touchEvent(window(), touchScreen()).move(0, start - QPoint(12 * step, step % 2));
    }
    QTest::touchEvent(window(), touchScreen()).release(0, start - QPoint(120, 0));
}

bool JourneyApp::back()
{
    auto *screen = dynamic_cast<ParentNavigationViewController *>(top());
    return screen && tap(screen->navBar()->leftButton());
}

bool JourneyApp::openMenuRow(const QString &text)
{
    // The guard is time itself: what is left of it since the last row's tap.
    if (m_sinceMenuRowTap.isValid())
        QTest::qWait(std::max<int>(0, HomeViewController::kMenuGuardMilliseconds -
                                          static_cast<int>(m_sinceMenuRowTap.elapsed())));
    if (!home()->ifShowLeftView() && !(tap(home()->navBar()->leftButton()) && settle()))
        return false;
    QAbstractButton *row = button(text);
    return row && tap(row);
}

void JourneyApp::noteMenuRowTap(const QWidget *widget)
{
    // Timed from after the tap, so never shorter than the home's own guard.
    if (home()->menu()->isAncestorOf(widget))
        m_sinceMenuRowTap.start();
}

bool JourneyApp::focusByTab(const std::function<bool(QWidget *)> &wanted)
{
    window()->activateWindow();
    for (int presses = 0; presses < 80; ++presses) {
        QWidget *focused = QApplication::focusWidget();
        if (focused && wanted(focused))
            return true;
        QTest::keyClick(focused ? focused : window(), Qt::Key_Tab);
    }
    return false;
}

bool JourneyApp::press(Qt::Key key)
{
    QWidget *focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : window(), key);
    return settle();
}

void JourneyApp::type(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

QStringList JourneyApp::coveredControls(QWidget *scope) const
{
    QStringList problems;
    HomeViewController *home = this->home();
    const bool menuOpen = home->ifShowLeftView();
    for (QWidget *widget : scope->findChildren<QWidget *>()) {
        if (!isInteractive(widget) || !widget->isVisible() ||
            widget->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        // Screens under the top one, and the home's menu while it is closed
        // (or the rest of the home while it is open), are meant to be covered.
        const ParentPresentViewController *screen = screenOf(widget);
        if (screen && screen != top())
            continue;
        if (screen == home && menuOpen != home->menu()->isAncestorOf(widget))
            continue;
        const QRect shown = visiblePart(widget);
        if (shown.isEmpty())
            continue; // scrolled out of its list, or a closed panel's
        const QRect whole(widget->mapTo(window(), QPoint(0, 0)), widget->size());
        if (shown != whole) {
            if (!scrollAreaOf(widget))
                problems << describe(widget) + QStringLiteral(" is cut by the edge");
            continue; // part of a row scrolled out of view
        }
        QWidget *hit = window()->childAt(shown.center());
        if (hit != widget && !widget->isAncestorOf(hit))
            problems << QStringLiteral("%1 lies under %2")
                            .arg(describe(widget), hit ? describe(hit) : QStringLiteral("nothing"));
    }
    return problems;
}

bool JourneyApp::isOnShow(QWidget *widget) const
{
    if (!widget->isVisible() || !widget->isEnabled())
        return false;
    const QRect shown = visiblePart(widget);
    if (shown.isEmpty())
        return false;
    // A part that lets touches through (the main panel beside the open menu)
    // is still seen, and the keyboard still reaches what it shows.
    for (QWidget *up = widget; up; up = up->parentWidget())
        if (up->testAttribute(Qt::WA_TransparentForMouseEvents))
            return true;
    QWidget *hit = window()->childAt(shown.center());
    return hit == widget || widget->isAncestorOf(hit);
}

// How far down the screen a widget sits, a list's rows by their place in
// the whole list (the list scrolls as the focus moves down it).
int JourneyApp::screenTop(QWidget *widget) const
{
    QScrollArea *outermost = nullptr;
    for (QWidget *up = widget->parentWidget(); up; up = up->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(up);
            area && area->widget() && area->widget()->isAncestorOf(widget))
            outermost = area;
    if (outermost)
        return outermost->mapTo(window(), QPoint(0, 0)).y() +
               widget->mapTo(outermost->widget(), QPoint(0, 0)).y();
    return widget->mapTo(window(), QPoint(0, 0)).y();
}

QList<QWidget *> JourneyApp::usableWidgets()
{
    QWidget *layer = modalLayer();
    QList<QWidget *> usable;
    for (QWidget *widget : (layer ? layer : window())->findChildren<QWidget *>())
        if ((widget->focusPolicy() & Qt::TabFocus) && isOnShow(widget))
            usable << widget;
    return usable;
}

QStringList JourneyApp::tabRound()
{
    window()->activateWindow();
    const QList<QWidget *> expected = usableWidgets();
    QStringList problems;
    QList<QWidget *> round;
    int upwardJumps = 0;
    int lastTop = -1;
    for (int presses = 0; presses < 300; ++presses) {
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : window(), Qt::Key_Tab);
        focused = QApplication::focusWidget();
        if (!focused) {
            problems << QStringLiteral("Tab leaves the window");
            break;
        }
        if (round.contains(focused))
            break; // once round
        round << focused;
        if (!isOnShow(focused)) {
            problems << describe(focused) + QStringLiteral(" takes the focus out of sight");
            continue;
        }
        const int top = screenTop(focused);
        if (lastTop >= 0 && top < lastTop - 10)
            ++upwardJumps;
        lastTop = top;
    }
    for (QWidget *widget : expected)
        if (!round.contains(widget))
            problems << describe(widget) + QStringLiteral(" is never reached by Tab");
    if (upwardJumps > 1)
        problems << QStringLiteral("Tab goes back up the screen %1 times in a round: %2")
                        .arg(upwardJumps)
                        .arg([&round] {
                            QStringList names;
                            for (QWidget *widget : round)
                                names << describe(widget);
                            return names.join(QStringLiteral(" > "));
                        }());
    problems.removeDuplicates();
    return problems;
}

QWidget *JourneyApp::modalLayer() const
{
    // A sheet or a dialog: a layer of the window over all of it, above the
    // screens (the window's children stack in their order).
    QWidget *layer = nullptr;
    for (QObject *child : window()->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && widget != stack() && widget->isVisible() &&
            widget->geometry() == window()->rect())
            layer = widget;
    }
    return layer;
}

QStringList JourneyApp::audit()
{
    QWidget *layer = modalLayer();
    // A layer with nothing to press (an intro, a fade) is no sheet: what it
    // covers is covered.
    const QList<QWidget *> inLayer = layer ? layer->findChildren<QWidget *>() : QList<QWidget *>();
    if (std::none_of(inLayer.cbegin(), inLayer.cend(), isInteractive))
        layer = nullptr;
    QStringList problems = coveredControls(layer ? layer : window());
    // Every row of a list can be brought into view, above any bar.
    QWidget *scope = layer ? layer : top();
    for (QAbstractScrollArea *area : scope->findChildren<QAbstractScrollArea *>()) {
        QScrollBar *bar = area->verticalScrollBar();
        if (!area->isVisible() || bar->maximum() == 0)
            continue;
        const int was = bar->value();
        bar->setValue(bar->maximum());
        problems << coveredControls(area->viewport());
        bar->setValue(was);
    }
    // A layer over the whole window that lets touches through (an intro
    // still sliding away) hides the screen all the same.
    for (QObject *child : window()->children()) {
        auto *cover = qobject_cast<QWidget *>(child);
        if (cover && cover != stack() && cover->isVisible() &&
            cover->testAttribute(Qt::WA_TransparentForMouseEvents) &&
            cover->geometry() == window()->rect())
            problems << QStringLiteral("the window is hidden under %1").arg(describe(cover));
    }
    // On a high-density screen, pictures are drawn at its density, not blown up.
    const qreal ratio = window()->devicePixelRatio();
    for (VtLightingImageView *view : window()->findChildren<VtLightingImageView *>())
        if (view->isVisible() && !view->picture().isNull() &&
            view->picture().devicePixelRatio() < ratio)
            problems << QStringLiteral("a picture of %1 is drawn at %2x on a %3x screen")
                            .arg(describe(view->parentWidget()))
                            .arg(view->picture().devicePixelRatio())
                            .arg(ratio);
    problems.removeDuplicates();
    return problems;
}

namespace {
bool isControlRole(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::Slider:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::PageTab:
    case QAccessible::ListItem:
        return true;
    default:
        return false;
    }
}

void collectUnnamed(QAccessibleInterface *node, QStringList &problems)
{
    if (!node || node->state().invisible || node->state().offscreen)
        return;
    auto *widget = qobject_cast<QWidget *>(node->object());
    const QString what = widget ? describe(widget) : QStringLiteral("a control");
    // The keyboard reaches it, so a screen reader must be able to say what it is.
    if (widget && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
        !isControlRole(node->role()) && !qobject_cast<QAbstractScrollArea *>(widget))
        problems << what + QStringLiteral(" takes the focus but has no control role");
    if (isControlRole(node->role())) {
        const QString name = node->text(QAccessible::Name);
        if (name.trimmed().isEmpty())
            problems << what + QStringLiteral(" has no accessible name");
        else if (name.endsWith(QChar(0x2026)))
            problems << what + QStringLiteral(" is named by its cut text \"%1\"").arg(name);
        else if (std::none_of(name.cbegin(), name.cend(),
                              [](QChar c) { return c.isLetterOrNumber(); }))
            problems << what + QStringLiteral(" is named by a sign \"%1\"").arg(name);
    }
    for (int k = 0; k < node->childCount(); ++k)
        collectUnnamed(node->child(k), problems);
}
} // namespace

QStringList JourneyApp::unnamedControls() const
{
    QStringList problems;
    collectUnnamed(QAccessible::queryAccessibleInterface(window()), problems);
    problems.removeDuplicates();
    return problems;
}

QStringList JourneyApp::auditAndSave(const QString &name)
{
    const QStringList problems = audit();
    const QSize size = window()->size();
    // Pictures at a higher density go to their own folder ("320x568@2x").
    const qreal ratio = window()->devicePixelRatio();
    const QString folder = QStringLiteral(SCREENSHOT_DIR "/journeys/%1x%2%3")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(ratio > 1 ? QStringLiteral("@%1x").arg(ratio) : QString());
    QDir().mkpath(folder);
    window()->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    return problems;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "homeviewcontroller.h"

#include "control/checkmanager.h"
#include "control/devicecommands.h"
#include "control/homeactions.h"
#include "control/homeevents.h"
#include "control/levelsender.h"
#include "control/livehome.h"
#include "control/staterefresh.h"
#include "core/showalertmanager.h"
#include "devices/curtainviewcontroller.h"
#include "devices/devicelistviewcontroller.h"
#include "devices/lightingviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/screencaller.h"
#include "help/aboutusviewcontroller.h"
#include "help/helpviewcontroller.h"
#include "homemenuview.h"
#include "homescenariostrip.h"
#include "menuslide.h"
#include "scenarios/sceneviewcontroller.h"
#include "schedules/schedulelistviewcontroller.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "views/fade.h"
#include "views/followfocus.h"
#include "views/keyboardreach.h"
#include "views/screenmode.h"
#include "views/vtactionsheet.h"
#include "vthomecontrolsheet.h"

#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScrollArea>
#include <QScrollBar>
#include <QSequentialAnimationGroup>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kMenuIcon = QStringLiteral(":/icons/menu.svg");
const QString kMenuBackIcon = QStringLiteral(":/icons/menu_back.svg");
constexpr int kCleanAllSheet = 111;
constexpr int kSynchronizeSheet = 112;

// The main panel: a drag on its own background moves it sideways, a touch
// on it closes the open menu.
class HomeCenterPanel : public QWidget {
public:
    HomeCenterPanel(HomeViewController *home, QWidget *parent) : QWidget(parent), m_home(home)
    {
        setObjectName(QStringLiteral("centerView"));
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor(227, 215, 205));
        setPalette(palette);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        m_pressAt = event->globalPosition().x();
        m_dragging = false;
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        const double x = event->globalPosition().x();
        if (!m_dragging && qAbs(x - m_pressAt) > HomeFunctionTile::kTapSlop) {
            m_dragging = true;
            m_home->sidewaysDrag(SidewaysDragTarget::Phase::Began, m_pressAt);
        }
        if (m_dragging)
            m_home->sidewaysDrag(SidewaysDragTarget::Phase::Moved, x);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (m_dragging)
            m_home->sidewaysDrag(SidewaysDragTarget::Phase::Ended, event->globalPosition().x());
        else if (m_home->ifShowLeftView())
            m_home->showLeftViewNormal(false, false);
        m_dragging = false;
    }

private:
    HomeViewController *m_home;
    double m_pressAt = 0;
    bool m_dragging = false;
};
} // namespace

HomeViewController::HomeViewController(const HomeServices &home, QWidget *parent)
    : ParentNavigationViewController(parent), m_home(home),
      m_levels(new LevelSender(home, ScreenCaller::of(this), this))
{
    layoutLeftView();
    layoutCenterView();
    HomeEvents *events = HomeEvents::instance();
    connect(LiveHome::instance(), &LiveHome::channelChanged, this,
            &HomeViewController::showLiveState);
    connect(events, &HomeEvents::channelStateUnknown, this, &HomeViewController::showLiveState);
    // An import or a Clean All: the lists as the store now holds them.
    connect(events, &HomeEvents::homeReplaced, this, &HomeViewController::updateCenterView);
}

HomeViewController::~HomeViewController() = default;

QWidget *HomeViewController::contentView()
{
    return m_content;
}

void HomeViewController::layoutLeftView()
{
    m_leftView = new HomeMenuView(this);
    connect(m_leftView, &HomeMenuView::cellButtonPressed, this,
            &HomeViewController::cellButtonPressed);
}

void HomeViewController::layoutCenterView()
{
    m_centerView = new HomeCenterPanel(this, this);
    setMainNavigationBar();
    navBar()->setParent(m_centerView);
    navBar()->setLeftIcon(QIcon(kMenuIcon), tr("Menu"));
    navBar()->setRightIcon(QIcon(QStringLiteral(":/icons/scan.svg")), tr("Scan"));
    initTitleViewWithText(tr("Home"), 0);

    m_content = new QScrollArea(m_centerView);
    m_content->setObjectName(QStringLiteral("centerContent"));
    m_content->setFocusPolicy(Qt::NoFocus); // the tiles and the strip take it
    FollowFocus::install(m_content);
    m_content->setFrameShape(QFrame::NoFrame);
    m_content->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_content->setWidgetResizable(true);
    m_content->viewport()->setAutoFillBackground(false);
    m_content->verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { width: 4px; background: transparent; }"
        "QScrollBar::handle:vertical { background: rgba(69, 61, 59, 110); border-radius: 2px;"
        " min-height: 24px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"));
    auto *column = new QWidget();
    column->setAutoFillBackground(false);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QStringList areas{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    const QList<HomeFunction> functions = HomeFunction::readAllHomeFunctionInfo();
    for (int k = 0; k < functions.size(); ++k) {
        auto *tile = new HomeFunctionTile(functions.at(k), areas.at(k), column);
        tile->setSidewaysDragTarget(this);
        const QString area = areas.at(k);
        // Read each time the panel opens: the home is asked for the states
        // the items show (each at most once in a while).
        tile->setItemSource([this, area] {
            StateRefresh::instance()->channelsShown(*listOfArea(area));
            return *listOfArea(area);
        });
        connect(tile, &HomeFunctionTile::functionPressed, this,
                &HomeViewController::functionButtonPressed);
        connect(tile, &HomeFunctionTile::itemPressed, this,
                [this](const QString &area, int position, const QVariantMap &record) {
                    darkItemPressed(area, position, record);
                });
        layout->addWidget(tile);
        m_tiles.append(tile);
    }
    m_strip = new HomeScenarioStrip(column);
    connect(m_strip, &HomeScenarioStrip::allPressed, this,
            [this] { functionButtonPressed(QStringLiteral("SceneFunction")); });
    connect(m_strip, &HomeScenarioStrip::scenarioPressed, this,
            &HomeViewController::controlButtonPressed);
    connect(m_strip, &HomeScenarioStrip::addPressed, this,
            [this] { CheckManager(m_home).addScenario(ScreenCaller::of(this)); });
    layout->addSpacing(8);
    layout->addWidget(m_strip);
    layout->addStretch(1);
    m_content->setWidget(column);
}

void HomeViewController::updateCenterView()
{
    ++m_refreshes;
    std::optional<HomeLists> lists = HomeLists::load(m_home);
    if (!lists) {
        ShowAlertManager::instance()->showStoreUnreadable();
        return;
    }
    m_lists = std::move(*lists);
    const int shown = ScreenMode::of(size()) == ScreenMode::Classic ? 2 : 3;
    for (HomeFunctionTile *tile : std::as_const(m_tiles)) {
        tile->setShownItems(shown);
        if (tile->isOpen())
            tile->setOpen(true, false); // shows the items as they now are
    }
    m_strip->setScenarios(m_lists.scenarioArray);
    m_leftView->reloadData();
    KeyboardReach::set(m_leftView, m_ifShowLeftView); // the menu's rows may be new
}

void HomeViewController::showLiveState(const QString &deviceId)
{
    for (QVariantMap &light : m_lists.lightingArray)
        if (light.value(Key::id) == deviceId)
            light = LiveHome::instance()->withConfirmedState(light);
    const bool shown = std::any_of(
        m_lists.lightingArray.cbegin(), m_lists.lightingArray.cend(),
        [&deviceId](const QVariantMap &light) { return light.value(Key::id) == deviceId; });
    if (!shown)
        return;
    for (HomeFunctionTile *tile : std::as_const(m_tiles))
        if (tile->area() == QLatin1String("1") && tile->isOpen())
            tile->setOpen(true, false);
    if (auto *sheet = window()->findChild<VtHomeControlSheet *>())
        if (sheet->controlDictionary().value(Key::id) == deviceId)
            sheet->showState(shownStateOf(deviceId));
}

void HomeViewController::navRightButtonItemPressed()
{
    CheckManager(m_home).setUpScanControllerWithType(std::nullopt);
}

void HomeViewController::navLeftButtonItemPressed()
{
    showLeftViewNormal(!m_ifShowLeftView, !m_ifShowLeftView);
}

void HomeViewController::upAllDarkView()
{
    for (HomeFunctionTile *tile : std::as_const(m_tiles))
        if (tile->isOpen())
            tile->setOpen(false, true);
}

void HomeViewController::setCenterTouchable(bool touchable)
{
    for (QObject *child : m_centerView->children())
        if (auto *widget = qobject_cast<QWidget *>(child))
            widget->setAttribute(Qt::WA_TransparentForMouseEvents, !touchable);
}

void HomeViewController::moveCenterViewTo(int x, bool overshoot)
{
    if (m_slide)
        m_slide->stop();
    auto *group = new QSequentialAnimationGroup(this);
    auto *slide = new QPropertyAnimation(m_centerView, "pos", group);
    slide->setDuration(MenuSlide::kSlideMilliseconds);
    slide->setEndValue(QPoint(overshoot ? x + MenuSlide::kOvershoot : x, 0));
    group->addAnimation(slide);
    if (overshoot) {
        auto *settle = new QPropertyAnimation(m_centerView, "pos", group);
        settle->setDuration(MenuSlide::kSettleMilliseconds);
        settle->setEndValue(QPoint(x, 0));
        group->addAnimation(settle);
    }
    m_slide = group;
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void HomeViewController::showLeftViewNormal(bool show, bool animate)
{
    m_ifShowLeftView = show;
    setCenterTouchable(!show);
    // Tab reaches the menu while it is open, the main panel while it is not
    // (and the button that closes the menu always).
    KeyboardReach::set(m_leftView, show);
    KeyboardReach::set(m_content, !show);
    if (QWidget *scan = navBar()->rightButton())
        KeyboardReach::set(scan, !show);
    navBar()->setLeftIcon(QIcon(show ? kMenuBackIcon : kMenuIcon),
                          show ? tr("Close Menu") : tr("Menu"));
    if (show) {
        upAllDarkView();
        moveCenterViewTo(MenuSlide::openX(width()), animate);
    } else {
        moveCenterViewTo(0, false);
    }
}

void HomeViewController::sidewaysDrag(Phase phase, double globalX)
{
    switch (phase) {
    case Phase::Began:
        if (m_slide)
            m_slide->stop();
        m_dragStartGlobalX = globalX;
        m_dragStartPanelX = m_centerView->x();
        break;
    case Phase::Moved:
        m_centerView->move(
            qBound(0, m_dragStartPanelX + int(globalX - m_dragStartGlobalX), width()), 0);
        break;
    case Phase::Ended: {
        const double half = width() / 2.0;
        const double startCentre = m_dragStartPanelX + half;
        const double endCentre = m_centerView->x() + half;
        const bool open = MenuSlide::opensAfterDrag(startCentre, endCentre, width());
        const bool startedOpen = MenuSlide::wasOpen(startCentre, width());
        showLeftViewNormal(open, open && !startedOpen);
        break;
    }
    }
}

void HomeViewController::functionButtonPressed(const QString &function)
{
    auto *stack = NavigationStack::of(this);
    if (!stack)
        return;
    if (function == QLatin1String("LightingFunction"))
        stack->push(new LightingViewController(m_home), true);
    else if (function == QLatin1String("CurtainFunction"))
        stack->push(new CurtainViewController(m_home), true);
    else if (function == QLatin1String("SceneFunction"))
        stack->push(new SceneViewController(m_home), true);
}

void HomeViewController::cellButtonPressed(int row)
{
    // Touches less than a second apart open one screen.
    if (m_lastControlTime.isValid() && m_lastControlTime.elapsed() < kMenuGuardMilliseconds)
        return;
    m_lastControlTime.start();
    auto *stack = NavigationStack::of(this);
    const auto pushFromMenu = [stack](ParentPresentViewController *screen) {
        screen->setPopType(ParentPresentViewController::FromMenu);
        if (stack)
            stack->push(screen, true);
        else
            delete screen;
    };
    switch (row) {
    case HomeMenuView::DeviceManagement:
        pushFromMenu(new DeviceListViewController(m_home));
        break;
    case HomeMenuView::Schedules:
        pushFromMenu(new ScheduleListViewController());
        break;
    case HomeMenuView::CleanAll:
        confirmMenuAction(kCleanAllSheet, tr("Clean All"));
        break;
    case HomeMenuView::SynchronizeData:
        confirmMenuAction(kSynchronizeSheet, tr("Synchronize Data"));
        break;
    case HomeMenuView::Help:
        pushFromMenu(new HelpViewController());
        break;
    case HomeMenuView::About:
        pushFromMenu(new AboutUSViewController());
        break;
    default:
        break;
    }
}

void HomeViewController::confirmMenuAction(int sheetTag, const QString &button)
{
    auto *sheet = new VtActionSheet({button}, sheetTag, window());
    sheet->setObjectName(QStringLiteral("menuSheet%1").arg(sheetTag));
    connect(sheet, &VtActionSheet::clickedButtonAtIndex, this, [this, sheetTag](int index) {
        if (index != 1)
            return;
        if (sheetTag == kCleanAllSheet)
            HomeActions(m_home).cleanAll(ScreenCaller::of(this));
        else
            HomeActions(m_home).synchronizeData(ScreenCaller::of(this));
    });
    sheet->showSheet();
}

VtHomeControlSheet *HomeViewController::darkItemPressed(const QString &area, int position,
                                                        const QVariantMap &record)
{
    QString type = QStringLiteral("4");
    if (area == QLatin1String("1"))
        type = Channel::isDimmer(record) ? QStringLiteral("2") : QStringLiteral("1");
    else if (area == QLatin1String("2"))
        type = QStringLiteral("3");
    StateRefresh::instance()->channelsShown({record});
    const QString shown = shownStateOf(record.value(Key::id).toString());
    QVariantMap showing = record;
    showing.insert(Key::turnOn, shown);
    auto *sheet = new VtHomeControlSheet(type, shown, showing, window());
    sheet->setTag(position);
    connect(sheet, &VtHomeControlSheet::clickedButtonAtIndex, this,
            [this, area, record](int index, const QString &controlType) {
                controlSheetChose(area, record, index, controlType);
            });
    sheet->show();
    return sheet;
}

QString HomeViewController::shownStateOf(const QString &deviceId) const
{
    if (HomeEvents::instance()->isStateUnknown(deviceId))
        return {};
    for (const QVariantMap &light : m_lists.lightingArray)
        if (light.value(Key::id) == deviceId)
            return light.value(Key::turnOn).toString();
    return {};
}

QList<QVariantMap> *HomeViewController::listOfArea(const QString &area)
{
    if (area == QLatin1String("1"))
        return &m_lists.lightingArray;
    if (area == QLatin1String("2"))
        return &m_lists.curtainArray;
    return &m_lists.scenarioArray;
}

void HomeViewController::controlSheetChose(const QString &area, const QVariantMap &record,
                                           int index, const QString &controlType)
{
    // The lists are read again after every reply and reordered by use, so the
    // item is found by its identity rather than by its place when opened.
    QList<QVariantMap> *list = listOfArea(area);
    const QString &idKey = controlType == QLatin1String("4") ? Key::mainID : Key::id;
    qsizetype at = -1;
    for (qsizetype k = 0; k < list->size() && at < 0; ++k)
        if (list->at(k).value(idKey) == record.value(idKey))
            at = k;
    if (at < 0)
        return; // gone from the home meanwhile
    const QVariantMap &item = list->at(at);
    if (controlType == QLatin1String("1")) {
        if (index == 1 || index == 2)
            DeviceCommands(m_home).switchLight(item, index == 2, ScreenCaller::of(this));
    } else if (controlType == QLatin1String("2")) {
        m_levels->submit(item, index);
    } else if (controlType == QLatin1String("3")) {
        static const QStringList motions{QStringLiteral("2"), QStringLiteral("0"),
                                         QStringLiteral("1")}; // stop, close, open
        if (index >= 1 && index <= 3)
            DeviceCommands(m_home).moveCurtain(item, motions.at(index - 1), ScreenCaller::of(this));
    } else if (index == 1) {
        controlButtonPressed(int(at));
    }
}

void HomeViewController::controlButtonPressed(int scenarioIndex)
{
    if (scenarioIndex < 0 || scenarioIndex >= m_lists.scenarioArray.size())
        return;
    CheckManager(m_home).changeScenarioWithDictionary(
        m_lists.scenarioArray[scenarioIndex], m_lists.scenarioArray, ScreenCaller::of(this));
    m_strip->setScenarios(m_lists.scenarioArray);
}

void HomeViewController::realphaNavigationView()
{
    Fade::run(m_leftView, 0.5, 1.0, kMenuFadeMilliseconds);
}

void HomeViewController::showEvent(QShowEvent *event)
{
    ParentNavigationViewController::showEvent(event);
    if (event->spontaneous())
        return;
    updateCenterView();
    if (m_ifShowLeftView)
        realphaNavigationView();
}

void HomeViewController::hideEvent(QHideEvent *event)
{
    ParentNavigationViewController::hideEvent(event);
    if (!event->spontaneous())
        upAllDarkView();
}

void HomeViewController::resizeEvent(QResizeEvent *event)
{
    ParentNavigationViewController::resizeEvent(event);
    m_leftView->setGeometry(rect());
    m_centerView->setGeometry(m_ifShowLeftView ? MenuSlide::openX(width()) : 0, 0, width(),
                              height());
    navBar()->setGeometry(0, 0, width(), NavigationBar::kHeight);
    m_content->setGeometry(0, NavigationBar::kHeight, width(), height() - NavigationBar::kHeight);
    m_centerView->raise();
}

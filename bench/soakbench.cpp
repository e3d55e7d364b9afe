// SPDX-License-Identifier: GPL-3.0-or-later
#include "soakbench.h"

#include "benchsupport.h"

#include "control/appdelegate.h"
#include "control/checkmanager.h"
#include "control/delegatemanager.h"
#include "control/devicecommands.h"
#include "control/reloadablescreen.h"
#include "control/screen.h"
#include "control/screenstack.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/navigationframescreen.h"
#include "core/showalertmanager.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr double kReplyWaitSeconds = 0.2;
constexpr int kFollowUpMilliseconds = 5;
constexpr int kSettleLimitMilliseconds = 5000;

// The one screen on the stack: counts the failures it is asked to show.
class CountingScreen final : public Screen, public NavigationFrameScreen, public ReloadableScreen {
public:
    void startBarActivity(const QString &) override { m_activity = true; }
    void stopBarActivity() override { m_activity = false; }
    bool hasBarActivity() const override { return m_activity; }
    void showNetworkAlertViewWithImageName(const QString &, const QString &) override
    {
        ++failuresShown;
    }
    bool hasConnectionBanner() const override { return false; }
    void setConnectionBanner(BannerIcon, const QString &) override {}
    void removeConnectionBanner() override {}
    void updateMainView() override {}
    int failuresShown = 0;

private:
    bool m_activity = false;
};

class OneScreenStack final : public ScreenStack {
public:
    explicit OneScreenStack(Screen *screen) : m_screen(screen) {}
    QList<Screen *> screens() const override { return {m_screen}; }
    void popScreen(bool) override {}
    void popToScreen(Screen *, bool) override {}

private:
    Screen *m_screen;
};

// What the store says a light is, in the simulator's terms ("on" or a level).
QString storedState(const QVariantMap &device)
{
    const QString turnOn = device.value(Key::turnOn).toString();
    if (turnOn == Value::yes || turnOn == Value::no)
        return turnOn == Value::yes ? QStringLiteral("on") : QStringLiteral("off");
    return turnOn.toInt() > 0 ? turnOn : QStringLiteral("off");
}

QString simulatedState(const SimulatedHome::Channel &channel)
{
    if (channel.kind() == QLatin1Char('2'))
        return channel.state.on && channel.state.level > 0 ? QString::number(channel.state.level)
                                                           : QStringLiteral("off");
    return channel.state.on ? QStringLiteral("on") : QStringLiteral("off");
}

class Soak {
public:
    Soak(const HomeServices &home, TransmitterServer &simulator, quint32 seed)
        : m_home(home), m_simulator(simulator), m_random(seed)
    {
    }

    void issueOne()
    {
        Database *store = Database::instance();
        const QList<QVariantMap> devices = store->readAllMainDeviceInfo();
        const int pick = int(m_random.bounded(10));
        if (pick == 0) {
            QList<QVariantMap> scenarios = store->readAllScenarioInfo();
            scenarios.removeIf(
                [](const QVariantMap &s) { return !RecordFactory::isUserScenario(s); });
            if (scenarios.isEmpty())
                return;
            const qsizetype which = qsizetype(m_random.bounded(int(scenarios.size())));
            // The run writes its members' states at once: they are unconfirmed
            // until the run's reply comes.
            for (const QVariant &member : RecordFactory::sceneDevices(scenarios[which]))
                m_confirmed.insert(member.toMap().value(Key::id).toString(), false);
            QList<QVariantMap> all = store->readAllScenarioInfo();
            CheckManager(m_home).changeScenarioWithDictionary(scenarios[which], all);
            return;
        }
        QVariantMap device = devices.at(qsizetype(m_random.bounded(int(devices.size()))));
        const QString control = device.value(Key::control).toString();
        if (control == Value::dimming)
            DeviceCommands(m_home).dimLight(device, int(m_random.bounded(101)));
        else if (control == Value::curtainControl)
            DeviceCommands(m_home).moveCurtain(device, QString::number(m_random.bounded(3)));
        else
            DeviceCommands(m_home).switchLight(device, m_random.bounded(2) == 1);
    }

    void onSettled(const QStringList &fields, bool replied)
    {
        if (!replied)
            ++noReply;
        // The home changes even when the reply is lost: what the store holds
        // is confirmed by the reply to the last command that reached a light.
        if (fields.value(3) == QLatin1String("4"))
            m_confirmed.insert(fields.value(2), replied);
        else if (fields.value(1) == QLatin1String("scenario"))
            for (const QVariant &member : membersOf(fields.value(2)))
                m_confirmed.insert(member.toMap().value(Key::id).toString(), replied);
    }

    // Lights whose last command was answered hold in the store what they are.
    int mismatches() const
    {
        int count = 0;
        for (const QVariantMap &device : Database::instance()->readAllMainDeviceInfo()) {
            const QString id = device.value(Key::id).toString();
            if (device.value(Key::control) == Value::curtainControl || !m_confirmed.value(id))
                continue;
            const SimulatedHome::Channel *channel = m_simulator.home().channel(id);
            if (!channel || storedState(device) != simulatedState(*channel)) {
                if (count < 5)
                    std::printf("  mismatch %s: store %s, home %s\n", qPrintable(id),
                                qPrintable(storedState(device)),
                                qPrintable(channel ? simulatedState(*channel) : "gone"));
                ++count;
            }
        }
        return count;
    }

    int noReply = 0;

private:
    static QVariantList membersOf(const QString &number)
    {
        const auto scenario = Database::instance()->scenarioRecordWithMainID(number);
        return scenario ? RecordFactory::sceneDevices(*scenario) : QVariantList();
    }

    HomeServices m_home;
    TransmitterServer &m_simulator;
    QRandomGenerator m_random;
    QHash<QString, bool> m_confirmed;
};
} // namespace

void runSoakBench(const HomeServices &home, int commands)
{
    QLoggingCategory::setFilterRules(QStringLiteral("ardentia.*=false"));
    TransmitterServer simulator(SimulatedHome::demo());
    simulator.setLogging(false);
    QString error;
    if (!simulator.start(0, 0, &error)) {
        std::printf("soak: the simulator cannot start: %s\n", qPrintable(error));
        return;
    }
    UDPSocketManager *channel = UDPSocketManager::instance();
    channel->setTransmitterPort(simulator.datagramPort());
    TCPSocketManager::instance()->setImportPort(simulator.streamPort());

    // The demo home, as the app would have it after enrolling its master.
    Database::instance()->removeFiles();
    DelegateManager::instance()->initApplicationNeedData();
    QVariantMap master = RecordFactory::transmitter("20AA10000001", "127.0.0.2", true);
    master.insert(Key::command, Value::yes);
    Database::instance()->insertSuperBoxWithInfo(master);
    bool imported = false;
    QObject::connect(TCPSocketManager::instance(), &TCPSocketManager::importFinished,
                     [&imported](bool committed) { imported = committed; });
    TCPSocketManager::instance()->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
    if (!runUntil([&imported] { return imported; }, 5000)) {
        std::printf("soak: the demo home could not be imported\n");
        return;
    }

    CountingScreen screen;
    OneScreenStack stack(&screen);
    AppDelegate::instance()->setNavigationController(&stack);
    simulator.faults().add(*FaultRule::parse(QStringLiteral("*:*:*=drop:5%"), nullptr));
    simulator.faults().add(*FaultRule::parse(QStringLiteral("*:*:*=delay:0-50"), nullptr));
    channel->setReplyWaitOverride(kReplyWaitSeconds);
    channel->setFollowUpMilliseconds(kFollowUpMilliseconds);

    Soak soak(home, simulator, 20261206);
    QObject::connect(
        channel, &UDPSocketManager::commandSettled,
        [&soak](const QStringList &fields, bool replied) { soak.onSettled(fields, replied); });
    QRandomGenerator bursts(42);
    ShowAlertManager *feedback = ShowAlertManager::instance();
    const double rssStart = residentMegabytes();
    const int droppedBefore = simulator.repliesDropped();
    int issued = 0, longestQueue = 0, stuck = 0, mismatches = 0;
    QElapsedTimer clock;
    clock.start();
    while (issued < commands) {
        const int burst = 1 + int(bursts.bounded(4)); // presses before the first reply
        for (int i = 0; i < burst && issued < commands; ++i, ++issued) {
            soak.issueOne();
            longestQueue = qMax(longestQueue, int(channel->udpQueueArray().size()));
        }
        const bool settled =
            runUntil([channel] { return channel->isSettled(); }, kSettleLimitMilliseconds);
        if (!settled || feedback->checkActivityShowOn()) {
            ++stuck;
            channel->abandonCommands();
            feedback->stopActivity();
        }
        mismatches += soak.mismatches();
        channel->rediscovery().getGatewayIPAgain(std::nullopt); // no rediscovery between bursts
    }
    const double seconds = double(clock.elapsed()) / 1000.0;
    const double rssEnd = residentMegabytes();

    std::printf("Soak: %d commands (lights, dimmers, curtains, scenario runs), 5%% of replies "
                "dropped, 0-50 ms delays, %.0f ms reply wait\n",
                commands, kReplyWaitSeconds * 1000);
    std::printf("  commands/s                    %8.1f  (%.1f s)\n", double(issued) / seconds,
                seconds);
    std::printf("  replies dropped (injected)    %8d\n",
                simulator.repliesDropped() - droppedBefore);
    std::printf("  commands without reply        %8d\n", soak.noReply);
    std::printf("  failures shown                %8d\n", screen.failuresShown);
    std::printf("  store/home mismatches         %8d  (target: 0)\n", mismatches);
    std::printf("  longest queue                 %8d\n", longestQueue);
    std::printf("  stuck indicators              %8d  (target: 0)\n", stuck);
    std::printf("  RSS start / end               %8.1f / %.1f MB  (growth %.1f MB, target < 5)\n",
                rssStart, rssEnd, rssEnd - rssStart);
    std::fflush(stdout);

    AppDelegate::instance()->setNavigationController(nullptr);
    channel->setReplyWaitOverride(std::nullopt);
    channel->setFollowUpMilliseconds(UDPSocketManager::kFollowUpMilliseconds);
}

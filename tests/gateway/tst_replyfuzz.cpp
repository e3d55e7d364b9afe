#include "answeringalertpresenter.h"
#include "core/delegatemanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "gateway/udpsocketmanager.h"
#include "gateway/uidevicecalculation.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "testscreens.h"
#include "udppeer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>

// Random and mangled replies against random operation lists, for a bounded
// time: the handlers must never crash or read out of range (the sanitizers
// watch every access).
namespace {
const QStringList kTemplates{
    "token$res,gw,20AA10000009,1,127.0.0.1,0\\n",
    "token$ack,gw,20AA10000001,4,20AA10000009,20AA10000001,s,143\\n",
    "token$ack,lig,211300001230,11,0,0,0\\n",
    "token$ack,lig,211300001230,15,Name,0,0\\n",
    "token$ack,lig,211300001230,4,1,0,0\\n",
    "token$ack,lig,211300001230,12,0,0,135\\n",
    "token$ack,curtain,213100007890,18,0,0,0\\n",
    "token$ack,lig,211300001230,13,3,0,0\\n",
    "token$ack,lig,211300001230,14,3,0,1\\n",
    "token$res,lig,212200004560,0,1,55,0\\n",
    "token$res,curtain,213100007890,0,E4,0,0\\n",
    "token$ack,scename,1,3,Evening,0\\n",
    "token$ack,scenario,3,1,0\\n",
    "token$ack,lig,2111FFFFFFFF,5,0,0,0\\n",
};
const QStringList kIds{"211300001230", "212200004560", "213100007890", "20AA10000001", "", "x"};
const QStringList kNasty{"",        ",",    ",,,,", "\\n", "-1", "99999999999999999999",
                         "abc",     "E4",   "141",  "0x",  "灯", QString(300, 'z'),
                         "$ack,gw", "token"};

class Fuzzer {
public:
    explicit Fuzzer(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }
    const QString &pick(const QStringList &list) { return list.at(below(int(list.size()))); }

    QString reply()
    {
        QStringList fields = pick(kTemplates).split(',');
        const int edits = below(4);
        for (int e = 0; e < edits && !fields.isEmpty(); ++e) {
            const int at = below(int(fields.size()));
            switch (below(5)) {
            case 0:
                fields.removeAt(at);
                break;
            case 1:
                fields.insert(at, pick(kNasty));
                break;
            case 2:
                fields[at] = pick(kNasty);
                break;
            case 3:
                fields[at] = pick(kIds);
                break;
            default:
                fields = fields.mid(0, at);
                break;
            }
        }
        return fields.join(',');
    }

    QVariant value()
    {
        switch (below(5)) {
        case 0:
            return pick(kNasty);
        case 1:
            return QStringList{"cfg", "lig", pick(kIds), pick(kNasty)};
        case 2:
            return QVariantMap{{Key::id, pick(kIds)},
                               {Key::type, pick({"Lighting", "Curtain", ""})}};
        case 3:
            return QVariantList{};
        default:
            return QVariant();
        }
    }

    QList<QVariantMap> operations()
    {
        const QStringList keys{Key::id,
                               Key::type,
                               Key::sendArray,
                               Key::haveSend,
                               Key::needCheck,
                               Key::insertDevice,
                               Key::insertScenario,
                               Key::deleteScenarioID,
                               Key::scenarioControlTypeKey,
                               Key::mainID};
        QList<QVariantMap> list;
        const int size = below(5);
        for (int i = 0; i < size; ++i) {
            QVariantMap entry;
            for (int k = below(6); k > 0; --k)
                entry.insert(pick(keys), value());
            if (below(2))
                entry.insert(Key::scenarioControlTypeKey,
                             pick({Value::editDeviceFromScenario, Value::deleteDeviceFromScenario,
                                   Value::editDeviceAndNameScenario}));
            list.append(entry);
        }
        return list;
    }

private:
    QRandomGenerator m_random;
};
} // namespace

class TestReplyFuzz : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void handlersSurviveRandomReplies()
    {
        QFile::remove(Database::databasePath());
        DelegateManager::instance()->initApplicationNeedData();
        Database *store = Database::instance();
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.1", true));
        for (const QString id : {"211300001230", "212200004560", "213100007890"})
            store->insertMainDeviceWithInfo(RecordFactory::device(id, "S", id, id));
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            "3", "Three", "i", {RecordFactory::device("211300001230", "S", "211300001230", "a")}));

        UdpPeer silentPeer;
        UDPSocketManager *channel = UDPSocketManager::instance();
        channel->setTransmitterPort(silentPeer.port());
        HeadlessFeedbackPresenter presenter;
        AnsweringAlertPresenter alerts(0);
        ShowAlertManager::instance()->setPresenter(&presenter);
        ShowAlertManager::instance()->setAlertPresenter(&alerts);
        TestScreenStack stack;
        TestDeviceEnrolmentScreen screen;
        stack.push(&screen);
        QLoggingCategory::setFilterRules("ardentia.*=false");

        const quint32 seed = 20261206;
        qInfo("seed %u", seed);
        Fuzzer fuzz(seed);
        QElapsedTimer clock;
        clock.start();
        int rounds = 0;
        for (; clock.elapsed() < 3000; ++rounds) {
            const SharedOperations ops = shareOperations(fuzz.operations());
            const QString info = fuzz.reply();
            switch (fuzz.below(7)) {
            case 0:
                channel->overCommandWithServerInfo(info, ops);
                break;
            case 1:
                channel->overGatewayIPWithServerInfo(info, ops);
                break;
            case 2:
                channel->overLightingControlWithServerInfo(info, ops);
                break;
            case 3:
                channel->getLightingStateWithServerInfo(info, ops);
                break;
            case 4:
                channel->overScenarioWithServerInfo(info, ops);
                break;
            case 5:
                channel->updateDeviceAndScenarioControlTimesWithInfo(info);
                break;
            default:
                channel->alertViewClickedButtonAtIndex(fuzz.below(3), ops);
                break;
            }
            UIDeviceCalculation::binaryToDecimal(UIDeviceCalculation::hexToBinary(info));
            if (rounds % 50 == 0) {
                // Let follow-ups and alert answers run, then start clean.
                QTest::qWait(1);
                ShowAlertManager::instance()->stopActivity();
                UDPSocketManager::instance()->abandonCommands();
            }
        }
        qInfo("%d rounds", rounds);
        stack.clear();
        ShowAlertManager::instance()->stopActivity();
        UDPSocketManager::instance()->abandonCommands();
        QVERIFY(rounds > 100);
    }
};

ARDENTIA_TEST_MAIN(TestReplyFuzz)
#include "tst_replyfuzz.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Replies from the network, against the records of the command they answer:
// the handlers must never crash, read out of range or leave work running.
// Nothing goes on the network: commands only wait, and every input starts
// from the same store (rolled back to a savepoint) and an empty channel.
#include "control/alertpresenter.h"
#include "control/delegatemanager.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/programobjects.h"
#include "core/showalertmanager.h"
#include "fuzzprocess.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "store/sqlitestatement.h"
#include "testscreens.h"
#include "transport/gatewayreply.h"
#include "transport/localaddress.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

namespace {
// Answers the last alert after the handler has returned, with a button the
// input chose, as a person tapping it would.
class DeferredAlertPresenter final : public AlertPresenter {
public:
    void showAlert(const QString &, const QStringList &, Answer answer) override
    {
        m_answer = std::move(answer);
    }
    void answer(int index)
    {
        if (Answer call = std::exchange(m_answer, {}))
            call(index);
    }

private:
    Answer m_answer;
};

const QStringList kIds{
    "211300001230", "212200004560", "213100007890", "20AA10000001", "2111FFFFFFFF", "", "x"};
const QStringList kTexts{"",     ",",   "\\n", "-1",  "99999999999999999999",
                         "E4",   "141", "灯",  "YES", "NO",
                         "Name", "3",   "8",   "0"};
const QStringList kKeys{Key::id,
                        Key::type,
                        Key::sendArray,
                        Key::haveSend,
                        Key::needCheck,
                        Key::insertDevice,
                        Key::insertScenario,
                        Key::deleteScenarioID,
                        Key::scenarioControlTypeKey,
                        Key::mainID};
const QStringList kScenarioControls{Value::editDeviceFromScenario, Value::deleteDeviceFromScenario,
                                    Value::editDeviceAndNameScenario};

const QString &pick(FuzzedDataProvider &input, const QStringList &list)
{
    return list.at(input.ConsumeIntegralInRange<qsizetype>(0, list.size() - 1));
}

QVariant value(FuzzedDataProvider &input)
{
    switch (input.ConsumeIntegralInRange(0, 4)) {
    case 0:
        return pick(input, kTexts);
    case 1:
        return QStringList{"cfg", "lig", pick(input, kIds), pick(input, kTexts)};
    case 2:
        return QVariantMap{{Key::id, pick(input, kIds)},
                           {Key::type, pick(input, {"Lighting", "Curtain", ""})}};
    case 3:
        return RecordFactory::device(pick(input, kIds), "S", pick(input, kIds), "a");
    default:
        return QVariant();
    }
}

// The records the command carried, as the input describes them.
SharedOperations operations(FuzzedDataProvider &input)
{
    QList<QVariantMap> list;
    for (int entries = input.ConsumeIntegralInRange(0, 4); entries > 0; --entries) {
        QVariantMap entry;
        for (int keys = input.ConsumeIntegralInRange(0, 5); keys > 0; --keys)
            entry.insert(pick(input, kKeys), value(input));
        if (input.ConsumeBool())
            entry.insert(Key::scenarioControlTypeKey, pick(input, kScenarioControls));
        list.append(entry);
    }
    return shareOperations(std::move(list));
}

struct Harness {
    ProgramObjects objects;
    HeadlessFeedbackPresenter feedback;
    DeferredAlertPresenter alerts;
    TestScreenStack stack;
    TestDeviceEnrolmentScreen screen;
    std::unique_ptr<Database::Session> session;

    Harness()
    {
        LocalAddress::setInterfaceOverride(QStringLiteral("lo"));
        DelegateManager::instance()->initApplicationNeedData();
        Database *store = Database::instance();
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.1", true));
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000002", "127.0.0.2", false));
        for (const QString id : {"211300001230", "212200004560", "213100007890"})
            store->insertMainDeviceWithInfo(RecordFactory::device(id, "S", id, id));
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            "3", "Three", "i", {RecordFactory::device("211300001230", "S", "211300001230", "a")}));
        // One connection for the whole run, so that each input's changes can
        // be rolled back.
        session = std::make_unique<Database::Session>(store);
        ShowAlertManager::instance()->setPresenter(&feedback);
        ShowAlertManager::instance()->setAlertPresenter(&alerts);
        UDPSocketManager::instance()->setSendingOffline(true);
    }

    void execute(const char *sql) { SqliteStatement(session->handle(), sql).execute(); }

    void run(FuzzedDataProvider &input)
    {
        stack.clear();
        stack.push(&screen);
        execute("SAVEPOINT input;");
        UDPSocketManager *channel = UDPSocketManager::instance();
        // Any reply the parser reads reaches its handler; the forced-removal
        // answer is taken on its own, as the alert's buttons are.
        const bool answerAlert = input.ConsumeBool();
        const int button = input.ConsumeIntegralInRange(0, 2);
        const SharedOperations records = operations(input);
        const QString text = QString::fromUtf8(input.ConsumeRemainingBytesAsString());
        if (answerAlert) {
            channel->alertViewClickedButtonAtIndex(button, records);
        } else if (const std::optional<GatewayReply::Form> reply = GatewayReply::parse(text)) {
            channel->handleReply(*reply, records);
            channel->updateDeviceAndScenarioControlTimesWithInfo(*reply);
        }
        alerts.answer(button);
        // Nothing of this input outlives it: commands, follow-ups, the
        // rediscovery timer, the indicator, the store's changes.
        channel->abandonCommands();
        channel->rediscovery().getGatewayIPAgain(std::nullopt);
        ShowAlertManager::instance()->stopActivity();
        feedback.clear();
        execute("ROLLBACK TO input;");
        execute("RELEASE input;");
    }
};

Harness *harness = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    harness = new Harness;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    harness->run(input);
    return 0;
}

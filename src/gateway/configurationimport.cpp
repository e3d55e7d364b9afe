#include "configurationimport.h"

#include "../core/delegatemanager.h"
#include "../enrol/codedecoder.h"
#include "../store/database.h"
#include "../store/recordfactory.h"
#include "../store/recordkeys.h"
#include "uidevicecalculation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <map>

namespace {
// Members are kept as JSON objects: a scenario of a thousand channels is
// written without converting each copy again.
struct ImportedScenario {
    QJsonArray devices;
};

class Rebuild {
public:
    bool run(const QString &text)
    {
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            const QStringList fields = line.split(QLatin1Char(','));
            bool stored = true;
            if (line.contains(QLatin1String("$actuation")))
                stored = channelLine(fields);
            else if (line.contains(QLatin1String("$gw")))
                stored = transmitterLine(fields);
            else if (line.contains(QLatin1String("$scenario")) && fields.size() == 3)
                m_names.append({fields.at(1), fields.at(2)});
            if (!stored)
                return false;
        }
        return storeScenarios();
    }

private:
    bool channelLine(const QStringList &fields)
    {
        if (fields.size() != 8 || fields.at(1).size() < 12)
            return true;
        const QString &id = fields.at(1);
        const std::optional<CodeDecoder::Decoded> code = CodeDecoder::getNeedString(id);
        if (!code || code->kind == CodeDecoder::kTransmitterMode)
            return true; // not a controller channel
        QVariantMap record = RecordFactory::device(id, code->kind, id, fields.at(3));
        Database *store = Database::instance();
        // The table started empty: only a channel seen before has a row to replace.
        if (m_channelIds.contains(id))
            store->deleteMainDeviceWithMainID(id);
        m_channelIds.insert(id);
        QJsonObject member = QJsonObject::fromVariantMap(record);
        if (!store->insertMainDeviceWithJSON(QJsonDocument(member).toJson(QJsonDocument::Compact),
                                             record.value(Key::type).toString(), id))
            return false;

        const QString bits = UIDeviceCalculation::hexToBinary(fields.at(5));
        const QString &states = fields.at(6);
        for (int j = 0; j < qMin<int>(8, int(bits.size())); ++j) {
            if (bits.at(j) != QLatin1Char('1') || states.size() < 2 * j + 2)
                continue;
            member.insert(Key::turnOn,
                          ConfigurationImport::turnOnForStateByte(id.at(2), states.mid(2 * j, 2)));
            m_scenarios[8 - j].devices.append(member);
        }
        return true;
    }

    bool transmitterLine(const QStringList &fields)
    {
        if (fields.size() != 7)
            return true;
        const QString &id = fields.at(2);
        Database *store = Database::instance();
        const QList<QVariantMap> transmitters = store->readAllSuperBoxInfo();
        for (const QVariantMap &t : transmitters)
            if (t.value(Key::id).toString() == id)
                return true;
        // Learnt by the next locate: no address yet.
        return store->insertSuperBoxWithInfo(
            RecordFactory::transmitter(id, QString(""), transmitters.isEmpty()));
    }

    bool storeScenarios()
    {
        for (const auto &[number, scenario] : m_scenarios) {
            const QString mainID = QString::number(number);
            QString title = mainID;
            for (const auto &[named, name] : m_names)
                if (named == mainID) {
                    title = name;
                    break;
                }
            QJsonObject record = QJsonObject::fromVariantMap(
                RecordFactory::userScenario(mainID, title, Value::importedScenarioImage, {}));
            record.insert(Key::sceneArray, scenario.devices);
            if (!Database::instance()->insertScenarioWithJSON(
                    QJsonDocument(record).toJson(QJsonDocument::Compact), mainID))
                return false;
        }
        return true;
    }

    std::map<int, ImportedScenario> m_scenarios; // by number
    QSet<QString> m_channelIds;
    QList<std::pair<QString, QString>> m_names; // number, name, in line order
};
} // namespace

QString ConfigurationImport::turnOnForStateByte(QChar kindDigit, const QString &stateByte)
{
    const QString bits = UIDeviceCalculation::hexToBinary(stateByte);
    const bool firstBit = bits.startsWith(QLatin1Char('1'));
    switch (kindDigit.unicode()) {
    case '1':
        return firstBit ? Value::yes : Value::no;
    case '2':
        return firstBit ? QString::number(UIDeviceCalculation::binaryToDecimal(bits.mid(1)))
                        : QStringLiteral("0");
    case '3':
        return UIDeviceCalculation::curtainValue(stateByte) == 100 ? Value::yes : Value::no;
    default:
        return Value::no;
    }
}

bool ConfigurationImport::rebuildStoreFrom(const QString &text)
{
    Database *store = Database::instance();
    const bool committed = store->runInTransaction([&text, store] {
        store->dropHomeTables();
        store->creatDatabase();
        DelegateManager::instance()->initHomeSceneArray();
        return Rebuild().run(text);
    });
    if (committed) {
        // The pictures belonged to the scenarios just replaced.
        DelegateManager::instance()->deleteNeedFiles();
        DelegateManager::instance()->initNeedFiles();
    }
    return committed;
}

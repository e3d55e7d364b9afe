// SPDX-License-Identifier: GPL-3.0-or-later
#include "configurationimport.h"

#include "base/logging.h"
#include "codedecoder.h"
#include "delegatemanager.h"
#include "homeevents.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "uidevicecalculation.h"
#include "unitid.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <map>

namespace {
// Members are kept as JSON text: a scenario of a thousand channels is
// written without building a document of its copies.
struct ImportedScenario {
    QList<QByteArray> members;
};

// A channel's JSON split around the value of its "turnOn", so that each copy
// in a scenario is the same text with that value changed. The key is written
// once, and no string value can hold it with its quotes unescaped, so the
// first match is the key.
class TurnOnSlot {
public:
    explicit TurnOnSlot(const QByteArray &json) : m_json(json)
    {
        static const QByteArray key = QByteArrayLiteral("\"turnOn\":\"");
        m_start = json.indexOf(key) + key.size();
        m_end = json.indexOf('"', m_start);
    }
    // The values are "YES", "NO" or a level: ASCII.
    QByteArray with(const QString &turnOn) const
    {
        return QByteArrayView(m_json).first(m_start) + turnOn.toLatin1() +
               QByteArrayView(m_json).sliced(m_end);
    }

private:
    QByteArray m_json;
    qsizetype m_start;
    qsizetype m_end;
};

// Two hexadecimal digits as a byte; missing digits count as 0.
int byteOf(QStringView text)
{
    return (text.size() > 0 ? UIDeviceCalculation::hexDigitValue(text.at(0)) << 4 : 0) |
           (text.size() > 1 ? UIDeviceCalculation::hexDigitValue(text.at(1)) : 0);
}

using Fields = QList<QStringView>;

// A channel's line holds this tag and eight fields, the second its ID.
constexpr QLatin1String kChannelTag("$actuation");
constexpr qsizetype kChannelFields = 8;

class Rebuild {
public:
    explicit Rebuild(Database &store) : m_store(store) {}

    bool run(const QString &text)
    {
        // Views into the text: only the fields a record keeps are copied.
        for (const QStringView line : QStringView(text).split(u'\n')) {
            const Fields fields = line.split(u',');
            bool stored = true;
            if (line.contains(kChannelTag))
                stored = fields.size() != kChannelFields || channelLine(fields);
            else if (line.contains(QLatin1String("$gw")))
                stored = transmitterLine(fields);
            else if (line.contains(QLatin1String("$scenario")) && fields.size() == 3)
                m_names.append({fields.at(1).toString(), fields.at(2).toString()});
            if (!stored)
                return false;
        }
        return storeScenarios();
    }

private:
    bool channelLine(const Fields &fields)
    {
        const QString id = fields.at(1).toString();
        const std::optional<CodeDecoder::Decoded> code =
            UnitId::isValid(id) ? CodeDecoder::getNeedString(id) : std::nullopt;
        if (!code || code->kind == CodeDecoder::kTransmitterMode)
            return refused("channel", id);
        QVariantMap record = RecordFactory::device(id, code->kind, id, fields.at(3).toString());
        Database *store = &m_store;
        // The table started empty: only a channel seen before has a row to replace.
        if (m_channelIds.contains(id))
            store->deleteMainDeviceWithMainID(id);
        m_channelIds.insert(id);
        const std::optional<QByteArray> json = JsonCodec::JSONBytes(record);
        if (!json ||
            !store->insertMainDeviceWithJSON(*json, record.value(Key::type).toString(), id))
            return false;
        const TurnOnSlot member(*json);

        const int bits = byteOf(fields.at(5));
        const QStringView states = fields.at(6);
        for (int j = 0; j < 8; ++j) {
            if (!(bits & (0x80 >> j)) || states.size() < 2 * j + 2)
                continue;
            m_scenarios[8 - j].members.append(member.with(
                ConfigurationImport::turnOnForStateByte(id.at(2), states.mid(2 * j, 2))));
        }
        return true;
    }

    bool transmitterLine(const Fields &fields)
    {
        if (fields.size() != 7)
            return true;
        const QString id = fields.at(2).toString();
        if (!UnitId::isValid(id))
            return refused("transmitter", id);
        Database *store = &m_store;
        const QList<QVariantMap> transmitters = store->readAllSuperBoxInfo();
        for (const QVariantMap &t : transmitters)
            if (t.value(Key::id).toString() == id)
                return true;
        // Learnt by the next locate: no address yet.
        return store->insertSuperBoxWithInfo(
            RecordFactory::transmitter(id, QString(""), transmitters.isEmpty()));
    }

    // A record whose ID is not an ID stays out of the store; the rest of the
    // home is imported (a true answer: the import goes on).
    static bool refused(const char *kind, const QString &id)
    {
        qCWarning(lcGateway) << "import: refused the" << kind << "ID" << id;
        return true;
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
            // The record with an empty member list, then the members put in.
            static const QByteArray emptyMembers = QByteArrayLiteral("\"sceneArray\":[]");
            QByteArray json = QJsonDocument(QJsonObject::fromVariantMap(RecordFactory::userScenario(
                                                mainID, title, Value::importedScenarioImage, {})))
                                  .toJson(QJsonDocument::Compact);
            json.replace(emptyMembers,
                         QByteArray("\"sceneArray\":[" + scenario.members.join(',') + ']'));
            if (!m_store.insertScenarioWithJSON(json, mainID))
                return false;
        }
        return true;
    }

    Database &m_store;
    std::map<int, ImportedScenario> m_scenarios; // by number
    QSet<QString> m_channelIds;
    QList<std::pair<QString, QString>> m_names; // number, name, in line order
};
} // namespace

QString ConfigurationImport::turnOnForStateByte(QChar kindDigit, QStringView stateByte)
{
    const int byte = byteOf(stateByte);
    const bool firstBit = byte & 0x80;
    const int rest = byte & 0x7f;
    switch (kindDigit.unicode()) {
    case '1':
        return firstBit ? Value::yes : Value::no;
    case '2':
        return firstBit ? QString::number(rest) : QStringLiteral("0");
    case '3':
        return rest == 100 ? Value::yes : Value::no;
    default:
        return Value::no;
    }
}

QStringList ConfigurationImport::channelIdsIn(const QString &text)
{
    QStringList ids;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (!line.contains(kChannelTag))
            continue;
        const Fields fields = line.split(u',');
        if (fields.size() == kChannelFields)
            ids.append(fields.at(1).toString());
    }
    return ids;
}

bool ConfigurationImport::rebuildStoreFrom(const QString &text) const
{
    m_events.announceHomeAboutToBeReplaced(channelIdsIn(text));
    Database *store = &m_store;
    const bool committed = store->runInTransaction([this, &text, store] {
        store->dropHomeTables();
        store->creatDatabase();
        m_files.initHomeSceneArray();
        return Rebuild(m_store).run(text);
    });
    if (committed) {
        // The pictures belonged to the scenarios just replaced.
        m_files.deleteNeedFiles();
        m_files.initNeedFiles();
    }
    return committed;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulatedhome.h"

#include <QJsonArray>
#include <QStringDecoder>

namespace {
const QString kSuffix = QStringLiteral("\\n");
const QString kPrefix = QStringLiteral("token$");

// The operation field of the requests this peer answers, by name (kept apart
// from the app's own vocabulary: the simulator reads the protocol on its own).
namespace Op {
const QString locate = QStringLiteral("1");     // "gw"
const QString role = QStringLiteral("4");       // "gw"
const QString stateQuery = QStringLiteral("0"); // "lig", "curtain"
const QString control = QStringLiteral("4");
const QString allOn = QStringLiteral("5");
const QString allOff = QStringLiteral("6");
const QString add = QStringLiteral("11");
const QString remove = QStringLiteral("12");
const QString joinScenario = QStringLiteral("13");
const QString leaveScenario = QStringLiteral("14");
const QString name = QStringLiteral("15");
const QString forceRemove = QStringLiteral("18");
} // namespace Op

bool isLightKind(QChar kind)
{
    return kind == QLatin1Char('1') || kind == QLatin1Char('2');
}

bool kindMatchesFamily(QChar kind, const QString &family)
{
    return family == QLatin1String("lig")
               ? isLightKind(kind)
               : family == QLatin1String("curtain") && kind == QLatin1Char('3');
}

// The reply keeps the request's fields; the first becomes the marker and the
// last the result code followed by the line suffix.
QByteArray replyLine(QStringList fields, const QString &marker, int code)
{
    fields[0] = QStringLiteral("token") + marker;
    fields.last() = QString::number(code);
    return (fields.join(QLatin1Char(',')) + kSuffix).toUtf8();
}

QString markerFor(const QString &verb)
{
    return verb == QLatin1String("req") ? QStringLiteral("$res") : QStringLiteral("$ack");
}

QString roleName(SimulatedHome::Role role)
{
    switch (role) {
    case SimulatedHome::Role::Master:
        return QStringLiteral("master");
    case SimulatedHome::Role::Slave:
        return QStringLiteral("slave");
    case SimulatedHome::Role::Unset:
        break;
    }
    return QStringLiteral("none");
}

QJsonObject stateJson(const SimulatedHome::ChannelState &state)
{
    return {{"on", state.on}, {"level", state.level}, {"position", state.position}};
}

SimulatedHome::ChannelState stateFromJson(const QJsonObject &json)
{
    return {json.value("on").toBool(), qBound(0, json.value("level").toInt(), 100),
            qBound(0, json.value("position").toInt(), 100)};
}

// Codes for what the master relays: 0 success, 1 plain failure.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kFull = 140;
constexpr int kUnknownChannel = 141;
constexpr int kAlreadyMaster = 142;
constexpr int kAlreadySlave = 143;
constexpr int kControllerSilent = 135;
constexpr int kSlaveInDoubt = 137;
} // namespace

const SimulatedHome::Transmitter *SimulatedHome::master() const
{
    for (const Transmitter &t : m_transmitters)
        if (t.role == Role::Master)
            return &t;
    return nullptr;
}

const SimulatedHome::Transmitter *SimulatedHome::transmitter(const QString &id) const
{
    return const_cast<SimulatedHome *>(this)->findTransmitter(id);
}

const SimulatedHome::Channel *SimulatedHome::channel(const QString &id) const
{
    return const_cast<SimulatedHome *>(this)->findChannel(id);
}

const SimulatedHome::Scenario *SimulatedHome::scenario(int number) const
{
    for (const Scenario &s : m_scenarios)
        if (s.number == number)
            return &s;
    return nullptr;
}

SimulatedHome::Transmitter *SimulatedHome::findTransmitter(const QString &id)
{
    for (Transmitter &t : m_transmitters)
        if (t.id == id)
            return &t;
    return nullptr;
}

SimulatedHome::Channel *SimulatedHome::findChannel(const QString &id)
{
    for (Channel &c : m_channels)
        if (c.id == id)
            return &c;
    return nullptr;
}

SimulatedHome::Scenario &SimulatedHome::scenarioFor(int number)
{
    for (Scenario &s : m_scenarios)
        if (s.number == number)
            return s;
    m_scenarios.append({number, {}, {}});
    return m_scenarios.last();
}

void SimulatedHome::setScenario(const Scenario &scenario)
{
    scenarioFor(scenario.number) = scenario;
}

bool SimulatedHome::setChannelResponsive(const QString &id, bool responsive)
{
    Channel *c = findChannel(id);
    if (c)
        c->responsive = responsive;
    return c != nullptr;
}

bool SimulatedHome::setTransmitterOnline(const QString &id, bool online)
{
    Transmitter *t = findTransmitter(id);
    if (t)
        t->online = online;
    return t != nullptr;
}

void SimulatedHome::setCapacity(int transmitters, int channels)
{
    m_maxTransmitters = transmitters;
    m_maxChannels = channels;
}

bool SimulatedHome::takeChanged()
{
    return std::exchange(m_changed, false);
}

std::optional<QByteArray> SimulatedHome::answerDatagram(const QByteArray &datagram,
                                                        const QString &receiverId)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(datagram);
    if (decoder.hasError() || !text.startsWith(kPrefix) || !text.endsWith(kSuffix))
        return std::nullopt;
    text = text.mid(kPrefix.size(), text.size() - kPrefix.size() - kSuffix.size());
    const QStringList fields = text.split(QLatin1Char(','));
    const Transmitter *receiver = transmitter(receiverId);
    if (fields.size() < 4 || !receiver)
        return std::nullopt;

    const QString &family = fields.at(1);
    if (family == QLatin1String("gw"))
        return answerGateway(fields, receiverId);
    // Everything else goes through the master, which relays it.
    if (receiver->role != Role::Master)
        return std::nullopt;
    if (family == QLatin1String("lig") || family == QLatin1String("curtain"))
        return fields.size() >= 7 ? std::optional(answerDevice(fields)) : std::nullopt;
    if (family == QLatin1String("scenario"))
        return answerScenarioRun(fields);
    if (family == QLatin1String("scename"))
        return fields.size() >= 6 ? std::optional(answerScenarioName(fields)) : std::nullopt;
    return replyLine(fields, markerFor(fields.at(0)), kFailed);
}

QByteArray SimulatedHome::answerGateway(const QStringList &fields, const QString &receiverId)
{
    const QString &op = fields.at(3);
    Transmitter *receiver = findTransmitter(receiverId);
    if (op == Op::locate) { // locate: only the transmitter named answers
        if (fields.at(2) != receiverId || fields.size() < 5)
            return {};
        QStringList answer = fields;
        answer[4] = receiver->address;
        return replyLine(answer, QStringLiteral("$res"), kOk);
    }
    if (op != Op::role || fields.size() < 8 || receiver->role == Role::Slave)
        return replyLine(fields, markerFor(fields.at(0)), kFailed);

    // Role configuration of transmitter field 4 as field 6 says.
    Transmitter *target = findTransmitter(fields.at(4));
    const QString &role = fields.at(6);
    int code = kFailed;
    if (!target)
        code = kFailed;
    else if (target->role == Role::Master)
        code = kAlreadyMaster;
    else if (target->role == Role::Slave)
        code = kAlreadySlave;
    else if (role == QLatin1String("m") && target->id == receiverId) {
        target->role = Role::Master;
        code = kOk;
    } else if (role == QLatin1String("s") && receiver->role == Role::Master) {
        const auto slaves =
            std::count_if(m_transmitters.cbegin(), m_transmitters.cend(),
                          [](const Transmitter &t) { return t.role == Role::Slave; });
        if (slaves + 1 >= m_maxTransmitters) {
            code = kFull;
        } else {
            target->role = Role::Slave;
            code = kOk;
        }
    }
    if (code == kOk)
        m_changed = true;
    return replyLine(fields, QStringLiteral("$ack"), code);
}

int SimulatedHome::deviceResult(const Channel &channel, bool removal) const
{
    const Transmitter *host = transmitter(channel.hostId);
    if (host && host->role == Role::Slave && !host->online)
        return removal ? kSlaveInDoubt : kControllerSilent;
    return channel.responsive ? kOk : kControllerSilent;
}

int SimulatedHome::controlChannel(Channel &channel, const QString &p1, const QString &p2)
{
    ChannelState &state = channel.state;
    switch (channel.kind().unicode()) {
    case '1':
        state.on = p1 == QLatin1String("1");
        break;
    case '2':
        state.level = qBound(0, p2.toInt(), 100);
        state.on = p1 == QLatin1String("1") && state.level > 0;
        break;
    case '3':
        if (p1 == QLatin1String("1"))
            state.position = 100;
        else if (p1 == QLatin1String("0"))
            state.position = 0;
        else if (p1 != QLatin1String("2"))
            return kFailed;
        state.on = state.position == 100;
        break;
    default:
        return kFailed;
    }
    m_changed = true;
    return kOk;
}

QByteArray SimulatedHome::answerDevice(const QStringList &fields)
{
    const QString &family = fields.at(1);
    const QString &id = fields.at(2);
    const QString &op = fields.at(3);
    const QString marker = markerFor(fields.at(0));
    if (id == kAllLightsId)
        return answerAllLights(fields);

    Channel *channel = findChannel(id);
    if (op == Op::add) {
        const QChar kind = id.size() > 2 ? id.at(2) : QChar();
        if (id.size() < 12 || !kindMatchesFamily(kind, family))
            return replyLine(fields, marker, kFailed);
        if (channel)
            return replyLine(fields, marker, kOk); // paired already
        if (m_channels.size() >= m_maxChannels)
            return replyLine(fields, marker, kFull);
        const Transmitter *master = this->master();
        Channel added{id, {}, master ? master->id : QString(), {}, true};
        m_channels.append(added);
        m_changed = true;
        return replyLine(fields, marker, kOk);
    }
    if (!channel || !kindMatchesFamily(channel->kind(), family))
        return replyLine(fields, marker, kUnknownChannel);

    const bool removal = op == Op::remove;
    int code = deviceResult(*channel, removal);
    if (op == Op::forceRemove) { // forced: the master forgets it whatever the radio says
        removeFromScenarios(id);
        m_channels.removeIf([&id](const Channel &c) { return c.id == id; });
        m_changed = true;
        return replyLine(fields, marker, kOk);
    }
    if (op == Op::name) {
        channel->name = fields.at(4);
        m_changed = true;
        return replyLine(fields, marker, kOk);
    }
    if (code != kOk)
        return replyLine(fields, marker, code);

    if (op == Op::stateQuery) {
        QStringList answer = fields;
        const ChannelState &s = channel->state;
        const bool curtain = channel->kind() == QLatin1Char('3');
        // A curtain reports its position with the top bit set (motor idle).
        answer[4] =
            curtain ? QStringLiteral("%1").arg(0x80 | s.position, 2, 16, QLatin1Char('0')).toUpper()
                    : QString::number(s.on ? 1 : 0);
        answer[5] =
            channel->kind() == QLatin1Char('2') ? QString::number(s.level) : QStringLiteral("0");
        return replyLine(answer, marker, kOk);
    }
    if (op == Op::control)
        return replyLine(fields, marker, controlChannel(*channel, fields.at(4), fields.at(5)));
    if (removal) {
        removeFromScenarios(id);
        m_channels.removeIf([&id](const Channel &c) { return c.id == id; });
        m_changed = true;
        return replyLine(fields, marker, kOk);
    }
    if (op == Op::joinScenario || op == Op::leaveScenario) {
        const int number = fields.at(4).toInt();
        if (number < 1 || number > kScenarioCount)
            return replyLine(fields, marker, kFailed);
        Scenario &scenario = scenarioFor(number);
        scenario.members.removeIf([&id](const Member &m) { return m.channelId == id; });
        if (op == Op::joinScenario)
            scenario.members.append({id, channel->state});
        m_changed = true;
        return replyLine(fields, marker, kOk);
    }
    return replyLine(fields, marker, kFailed);
}

QByteArray SimulatedHome::answerAllLights(const QStringList &fields)
{
    const QString &op = fields.at(3);
    const bool on = op == Op::allOn;
    if (fields.at(1) != QLatin1String("lig") || (!on && op != Op::allOff))
        return replyLine(fields, markerFor(fields.at(0)), kFailed);
    for (Channel &channel : m_channels) {
        if (!isLightKind(channel.kind()) || deviceResult(channel, false) != kOk)
            continue;
        channel.state.on = on;
        if (channel.kind() == QLatin1Char('2'))
            channel.state.level = on ? 10 : 0;
    }
    m_changed = true;
    return replyLine(fields, QStringLiteral("$ack"), kOk);
}

QByteArray SimulatedHome::answerScenarioRun(const QStringList &fields)
{
    // cfg,scenario,N,1: the reply appends the code after the request's fields.
    QStringList answer = fields;
    answer.append(QString());
    const Scenario *scenario = this->scenario(fields.at(2).toInt());
    if (!scenario || scenario->members.isEmpty())
        return replyLine(answer, QStringLiteral("$ack"), kFailed);
    for (const Member &member : scenario->members) {
        Channel *channel = findChannel(member.channelId);
        if (channel && deviceResult(*channel, false) == kOk)
            channel->state = member.state;
    }
    m_changed = true;
    return replyLine(answer, QStringLiteral("$ack"), kOk);
}

QByteArray SimulatedHome::answerScenarioName(const QStringList &fields)
{
    const int number = fields.at(3).toInt();
    if (number < 1 || number > kScenarioCount)
        return replyLine(fields, QStringLiteral("$ack"), kFailed);
    scenarioFor(number).name = fields.at(4);
    m_changed = true;
    return replyLine(fields, QStringLiteral("$ack"), kOk);
}

void SimulatedHome::removeFromScenarios(const QString &channelId)
{
    for (Scenario &scenario : m_scenarios)
        scenario.members.removeIf([&](const Member &m) { return m.channelId == channelId; });
}

int SimulatedHome::stateByte(QChar kind, const ChannelState &state)
{
    switch (kind.unicode()) {
    case '1':
        return state.on ? 0x80 : 0x00;
    case '2':
        return state.on ? 0x80 | (state.level & 0x7F) : 0x00;
    case '3':
        return state.position & 0x7F;
    default:
        return 0;
    }
}

QByteArray SimulatedHome::configurationText() const
{
    const auto hex2 = [](int value) {
        return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    };
    QStringList lines;
    for (const Transmitter &t : m_transmitters)
        if (t.role != Role::Unset)
            lines << QStringList{QStringLiteral("$gw"),
                                 QStringLiteral("1"),
                                 t.id,
                                 t.address,
                                 t.role == Role::Master ? QStringLiteral("m") : QStringLiteral("s"),
                                 QStringLiteral("0"),
                                 QStringLiteral("0")}
                         .join(QLatin1Char(','));
    for (const Channel &c : m_channels) {
        // Bit j (from the top) and state digits 2j, 2j+1 stand for scenario 8 - j.
        int bits = 0;
        QString states;
        for (int j = 0; j < kScenarioCount; ++j) {
            const Scenario *s = scenario(kScenarioCount - j);
            const Member *member = nullptr;
            for (const Member &m : s ? s->members : QList<Member>())
                if (m.channelId == c.id)
                    member = &m;
            if (member)
                bits |= 0x80 >> j;
            states += hex2(member ? stateByte(c.kind(), member->state) : 0);
        }
        lines << QStringList{QStringLiteral("$actuation"),
                             c.id,
                             c.hostId,
                             c.name,
                             QString(c.kind()),
                             hex2(bits),
                             states,
                             QStringLiteral("0")}
                     .join(QLatin1Char(','));
    }
    for (const Scenario &s : m_scenarios)
        if (!s.name.isEmpty())
            lines << QStringLiteral("$scenario,%1,%2").arg(s.number).arg(s.name);
    lines << QStringLiteral("$req,gw,end,import");
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QJsonObject SimulatedHome::toJson() const
{
    QJsonArray transmitters, channels, scenarios;
    for (const Transmitter &t : m_transmitters)
        transmitters.append(QJsonObject{{"id", t.id},
                                        {"address", t.address},
                                        {"role", roleName(t.role)},
                                        {"online", t.online}});
    for (const Channel &c : m_channels) {
        QJsonObject channel = stateJson(c.state);
        channel.insert("id", c.id);
        channel.insert("name", c.name);
        channel.insert("host", c.hostId);
        channel.insert("responsive", c.responsive);
        channels.append(channel);
    }
    for (const Scenario &s : m_scenarios) {
        QJsonArray members;
        for (const Member &m : s.members) {
            QJsonObject member = stateJson(m.state);
            member.insert("id", m.channelId);
            members.append(member);
        }
        scenarios.append(QJsonObject{{"number", s.number}, {"name", s.name}, {"members", members}});
    }
    return {
        {"capacity", QJsonObject{{"transmitters", m_maxTransmitters}, {"channels", m_maxChannels}}},
        {"transmitters", transmitters},
        {"channels", channels},
        {"scenarios", scenarios}};
}

std::optional<SimulatedHome> SimulatedHome::fromJson(const QJsonObject &json, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    // Texts that travel inside a line must not split it.
    const auto carriable = [](const QString &text) {
        return !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('\n')) &&
               !text.contains(QLatin1Char('\r'));
    };
    SimulatedHome home;
    const QJsonObject capacity = json.value("capacity").toObject();
    home.setCapacity(capacity.value("transmitters").toInt(4), capacity.value("channels").toInt(64));
    for (const QJsonValue &value : json.value("transmitters").toArray()) {
        const QJsonObject t = value.toObject();
        const QString role = t.value("role").toString();
        Transmitter transmitter{t.value("id").toString(), t.value("address").toString(),
                                role == QLatin1String("master")  ? Role::Master
                                : role == QLatin1String("slave") ? Role::Slave
                                                                 : Role::Unset,
                                t.value("online").toBool(true)};
        if (transmitter.id.size() != 12 || !carriable(transmitter.id))
            return fail(
                QStringLiteral("transmitter ID \"%1\" is not 12 characters").arg(transmitter.id));
        home.addTransmitter(transmitter);
    }
    for (const QJsonValue &value : json.value("channels").toArray()) {
        const QJsonObject c = value.toObject();
        Channel channel{c.value("id").toString(), c.value("name").toString(),
                        c.value("host").toString(), stateFromJson(c),
                        c.value("responsive").toBool(true)};
        if (channel.id.size() < 12 || !QStringLiteral("123").contains(channel.kind()))
            return fail(QStringLiteral("channel ID \"%1\" has no kind digit").arg(channel.id));
        if (!carriable(channel.id) || !carriable(channel.name))
            return fail(QStringLiteral("channel \"%1\" has a \",\" or line break").arg(channel.id));
        home.addChannel(channel);
    }
    for (const QJsonValue &value : json.value("scenarios").toArray()) {
        const QJsonObject s = value.toObject();
        Scenario scenario{s.value("number").toInt(), s.value("name").toString(), {}};
        if (scenario.number < 1 || scenario.number > kScenarioCount || !carriable(scenario.name))
            return fail(QStringLiteral("scenario %1 is not 1 to 8 or its name has a \",\"")
                            .arg(scenario.number));
        for (const QJsonValue &m : s.value("members").toArray())
            scenario.members.append(
                {m.toObject().value("id").toString(), stateFromJson(m.toObject())});
        home.setScenario(scenario);
    }
    return home;
}

SimulatedHome SimulatedHome::demo()
{
    SimulatedHome home;
    const QString master = QStringLiteral("20AA10000001");
    const QString slave = QStringLiteral("20AA10000002");
    home.addTransmitter({master, QStringLiteral("127.0.0.2"), Role::Master, true});
    home.addTransmitter({slave, QStringLiteral("127.0.0.3"), Role::Slave, true});
    // A three-gang switch, a two-channel dimmer and two curtains (one on the slave).
    const QList<Channel> channels{
        {QStringLiteral("211300001230"), QStringLiteral("Hall"), master, {true, 0, 0}, true},
        {QStringLiteral("211300001231"), QStringLiteral("Stairs"), master, {}, true},
        {QStringLiteral("211300001232"), QStringLiteral("Porch"), master, {}, true},
        {QStringLiteral("212200004560"),
         QStringLiteral("Living room"),
         master,
         {true, 60, 0},
         true},
        {QStringLiteral("212200004561"), QStringLiteral("Dining table"), master, {}, true},
        {QStringLiteral("213100007890"), QStringLiteral("Bedroom curtain"), master, {}, true},
        {QStringLiteral("21310000AB10"),
         QStringLiteral("Study curtain"),
         slave,
         {true, 0, 100},
         true},
    };
    for (const Channel &channel : channels)
        home.addChannel(channel);
    home.setScenario({1,
                      QStringLiteral("Evening"),
                      {{QStringLiteral("212200004560"), {true, 60, 0}},
                       {QStringLiteral("211300001230"), {true, 0, 0}},
                       {QStringLiteral("213100007890"), {false, 0, 0}}}});
    home.setScenario({2,
                      QStringLiteral("Good morning"),
                      {{QStringLiteral("213100007890"), {true, 0, 100}},
                       {QStringLiteral("21310000AB10"), {true, 0, 100}},
                       {QStringLiteral("211300001230"), {false, 0, 0}}}});
    return home;
}

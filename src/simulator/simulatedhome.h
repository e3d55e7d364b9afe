// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The installation a transmitter simulator holds: its transmitters, the
// enrolled controller channels and the scenarios stored in the master. It
// answers command lines the way a real installation would and changes with
// them (switching changes a channel's state, adding a channel to a scenario
// records the state it has now, and so on).
class SimulatedHome {
public:
    enum class Role { Unset, Master, Slave };

    struct Transmitter {
        QString id;
        QString address;
        Role role = Role::Unset;
        bool online = true; // a slave that is off its radio link
    };

    struct ChannelState {
        bool on = false;
        int level = 0;    // dimmable lights, 0 to 100
        int position = 0; // curtains, 0 closed to 100 open
        bool operator==(const ChannelState &) const = default;
    };

    struct Channel {
        QString id;
        QString name;
        QString hostId; // the transmitter the controller is paired with
        ChannelState state;
        bool responsive = true; // false: the controller no longer answers
        QChar kind() const { return id.size() > 2 ? id.at(2) : QChar(); }
    };

    struct Member {
        QString channelId;
        ChannelState state;
    };

    struct Scenario {
        int number = 0;
        QString name;
        QList<Member> members;
    };

    static constexpr int kScenarioCount = 8;
    static inline const QString kAllLightsId = QStringLiteral("2111FFFFFFFF");

    // The reply to one datagram that reached the given transmitter, or
    // nothing when that transmitter does not answer it.
    std::optional<QByteArray> answerDatagram(const QByteArray &datagram, const QString &receiverId);
    // The whole configuration as the stream import sends it, end marker included.
    QByteArray configurationText() const;

    QJsonObject toJson() const;
    static std::optional<SimulatedHome> fromJson(const QJsonObject &json, QString *error);
    static SimulatedHome demo();

    const QList<Transmitter> &transmitters() const { return m_transmitters; }
    const QList<Channel> &channels() const { return m_channels; }
    const QList<Scenario> &scenarios() const { return m_scenarios; }
    const Transmitter *master() const;
    const Transmitter *transmitter(const QString &id) const;
    const Channel *channel(const QString &id) const;
    const Scenario *scenario(int number) const;

    void addTransmitter(const Transmitter &transmitter) { m_transmitters.append(transmitter); }
    void addChannel(const Channel &channel) { m_channels.append(channel); }
    void setScenario(const Scenario &scenario);
    bool setChannelResponsive(const QString &id, bool responsive);
    bool setTransmitterOnline(const QString &id, bool online);

    int maxTransmitters() const { return m_maxTransmitters; }
    int maxChannels() const { return m_maxChannels; }
    void setCapacity(int transmitters, int channels);

    // Changes since the last time this was asked (to know when to save).
    bool takeChanged();

    // The state byte of a channel in a scenario, as the import carries it.
    static int stateByte(QChar kind, const ChannelState &state);

private:
    QByteArray answerGateway(const QStringList &fields, const QString &receiverId);
    QByteArray answerDevice(const QStringList &fields);
    QByteArray answerAllLights(const QStringList &fields);
    QByteArray answerScenarioRun(const QStringList &fields);
    QByteArray answerScenarioName(const QStringList &fields);
    int controlChannel(Channel &channel, const QString &p1, const QString &p2);
    int deviceResult(const Channel &channel, bool removal) const;
    void removeFromScenarios(const QString &channelId);
    Channel *findChannel(const QString &id);
    Transmitter *findTransmitter(const QString &id);
    Scenario &scenarioFor(int number);

    QList<Transmitter> m_transmitters;
    QList<Channel> m_channels;
    QList<Scenario> m_scenarios;
    int m_maxTransmitters = 4;
    int m_maxChannels = 64;
    bool m_changed = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "datarow.h"
#include "store/channel.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"

Q_DECLARE_METATYPE(ChannelKind)

// A channel's kind and state, read from the records the store holds.
class TestChannel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheKindAndStateOfARecord_data()
    {
        QTest::addColumn<QVariantMap>("record");
        QTest::addColumn<ChannelKind>("kind");
        QTest::addColumn<int>("level");
        const auto record = [](const QString &id, const QString &control, const QString &turnOn) {
            QVariantMap r = RecordFactory::device(id, control, id, QStringLiteral("Hall"));
            r.insert(Key::turnOn, turnOn);
            return r;
        };
        dataRow("switch on", record("211300001230", "S", "YES"), ChannelKind::Switch, 100);
        dataRow("switch off", record("211300001230", "S", "NO"), ChannelKind::Switch, 0);
        dataRow("dimmer at 60", record("212200004560", "D", "60"), ChannelKind::Dimmer, 60);
        dataRow("curtain open", record("213100007890", "C", "YES"), ChannelKind::Curtain, 100);
        dataRow("control wins over the digit", record("212200004560", "S", "YES"),
                ChannelKind::Switch, 100);
        QVariantMap noControl{{Key::id, "212200004561"}, {Key::turnOn, "15"}};
        dataRow("no control: the ID's digit", noControl, ChannelKind::Dimmer, 15);
        QVariantMap curtainByType{{Key::id, "211300001230"}, {Key::type, Value::curtain}};
        dataRow("curtain by type", curtainByType, ChannelKind::Curtain, 0);
        dataRow("short ID", QVariantMap{{Key::id, "21"}}, ChannelKind::Switch, 0);
    }
    void readsTheKindAndStateOfARecord()
    {
        QFETCH(QVariantMap, record);
        QFETCH(ChannelKind, kind);
        QFETCH(int, level);
        const Channel channel = Channel::fromRecord(record);
        QCOMPARE(channel.kind, kind);
        QCOMPARE(Channel::kindOf(record), kind);
        QCOMPARE(channel.level, level);
        QCOMPARE(channel.id, record.value(Key::id).toString());
    }
};

ARDENTIA_TEST_MAIN(TestChannel)
#include "tst_channel.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/jsoncodec.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>

class TestJsonCodec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripsRecords_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("apostrophe") << "Tom's lamp";
        QTest::newRow("quotes and backslash") << "say \"hi\" \\ C:\\path";
        QTest::newRow("Chinese") << "客厅主灯";
        QTest::newRow("control characters") << "tab\there\nline\x01";
        QTest::newRow("slash") << "on/off";
        QTest::newRow("emoji") << "🌙 night";
        QTest::newRow("10,000 characters") << QString(10000, QLatin1Char('x'));
        QTest::newRow("empty") << "";
    }
    void roundTripsRecords()
    {
        QFETCH(QString, title);
        const QVariantMap device{{"id", "B21000000001"}, {"title", title}, {"turnOn", "YES"}};
        const QVariantMap scenario{
            {"mainID", "3"}, {"title", title}, {"sceneArray", QVariantList{device, device}}};
        const std::optional<QString> text = JsonCodec::JSONString(scenario);
        QVERIFY(text);
        QCOMPARE(JsonCodec::recordFromJSONString(*text), scenario);
        // A record of texts alone is written without a document: the same bytes.
        const QByteArray viaDocument =
            QJsonDocument(QJsonObject::fromVariantMap(device)).toJson(QJsonDocument::Compact);
        QCOMPARE(JsonCodec::JSONBytes(device), std::optional<QByteArray>(viaDocument));
    }

    void writesCompactUtf8_data()
    {
        QTest::addColumn<QVariantMap>("record");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("compact") << QVariantMap{{"a", "1"}, {"b", QVariantList{"x", "y"}}}
                                 << QByteArray(R"({"a":"1","b":["x","y"]})");
        QTest::newRow("slash not escaped")
            << QVariantMap{{"p", "a/b"}} << QByteArray(R"({"p":"a/b"})");
        QTest::newRow("non-ASCII kept as UTF-8")
            << QVariantMap{{"t", "灯"}} << QStringLiteral(R"({"t":"灯"})").toUtf8();
        QTest::newRow("quote and backslash escaped")
            << QVariantMap{{"t", "a\"b\\c"}} << QByteArray("{\"t\":\"a\\\"b\\\\c\"}");
        QTest::newRow("control characters escaped")
            << QVariantMap{{"t", "\n\t\x01"}} << QByteArray("{\"t\":\"\\n\\t\\u0001\"}");
    }
    void writesCompactUtf8()
    {
        QFETCH(QVariantMap, record);
        QFETCH(QByteArray, json);
        QCOMPARE(JsonCodec::JSONBytes(record), json);
    }

    void refusesValuesThatAreNotText_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("number") << QVariant(3);
        QTest::newRow("boolean") << QVariant(true);
        QTest::newRow("null") << QVariant();
        QTest::newRow("number in a list") << QVariant(QVariantList{"a", 1.5});
    }
    void refusesValuesThatAreNotText()
    {
        QFETCH(QVariant, value);
        QVERIFY(!JsonCodec::JSONString({{"k", value}}));
    }

    void parsesStrictly_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("parses");
        QTest::newRow("object") << QByteArray(R"({"a":"b"})") << true;
        QTest::newRow("array") << QByteArray(R"([{"a":"b"}])") << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("comment") << QByteArray("{\"a\":\"b\" /* c */}") << false;
        QTest::newRow("trailing comma") << QByteArray(R"({"a":"b",})") << false;
        QTest::newRow("invalid UTF-8") << QByteArray("{\"a\":\"\xff\xfe\"}") << false;
        QTest::newRow("top-level text") << QByteArray(R"("just text")") << false;
        QTest::newRow("garbage") << QByteArray("SQLite format 3") << false;
        QTest::newRow("truncated") << QByteArray(R"({"a":"b")") << false;
    }
    void parsesStrictly()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, parses);
        QCOMPARE(JsonCodec::mutableObjectFromJSONString(text).isValid(), parses);
    }

    void recordNeedsAnObject()
    {
        QVERIFY(!JsonCodec::recordFromJSONString(QByteArray(R"(["a"])")));
        QVERIFY(JsonCodec::recordFromJSONString(QStringLiteral(R"({"a":"b"})")));
    }
};

ARDENTIA_TEST_MAIN(TestJsonCodec)
#include "tst_jsoncodec.moc"

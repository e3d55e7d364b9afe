// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/compactjson.h"
#include "base/documents.h"
#include "control/configurationimport.h"
#include "control/homeevents.h"
#include "control/livehome.h"
#include "control/udpsocketmanager.h"
#include "core/masterlink.h"
#include "datarow.h"
#include "faultrule.h"
#include "freshprogram.h"
#include "loopbacksimulator.h"
#include "mqtt/bridgetopics.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testauthority.h"
#include "testmain.h"
#include "web/connectionlimits.h"
#include "web/pagedocument.h"
#include "web/pagetext.h"
#include "web/uploadedimage.h"
#include "web/webhub.h"
#include "web/webpagetexts.h"
#include "web/webremoteserver.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSslCipher>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>

#include <limits>
#include <memory>
#include <vector>

#include <brotli/decode.h>
#include <zlib.h>

// A photo of one colour, as a JPEG's bytes.
static QByteArray jpegPhoto(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPEG");
    return jpeg;
}

// Sends a request a piece at a time, one piece each interval, as a slow
// link does, and keeps what it hears.
class SlowSender {
public:
    SlowSender(quint16 port, QByteArray request, qint64 pieceBytes, int everyMs)
        : m_request(std::move(request)), m_pieceBytes(pieceBytes)
    {
        m_pace.setInterval(everyMs);
        QObject::connect(&m_pace, &QTimer::timeout, &m_socket, [this] { sendPiece(); });
        QObject::connect(&m_socket, &QTcpSocket::connected, &m_pace, qOverload<>(&QTimer::start));
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket,
                         [this] { m_heard += m_socket.readAll(); });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }
    // Until this many bytes of the request are sent; the rest never comes.
    void stopAfter(qint64 bytes) { m_stopAfter = bytes; }
    // Whether it sent what it was to send.
    bool done() const { return m_sent == qMin(m_stopAfter, qint64(m_request.size())); }
    bool closed() const { return m_socket.state() == QAbstractSocket::UnconnectedState; }
    const QByteArray &heard() const { return m_heard; }

private:
    void sendPiece()
    {
        const qint64 end = qMin(m_stopAfter, qint64(m_request.size()));
        if (closed() || m_sent >= end) {
            m_pace.stop();
            return;
        }
        const qint64 piece = qMin(m_pieceBytes, end - m_sent);
        m_socket.write(m_request.constData() + m_sent, piece);
        m_sent += piece;
    }

    QTcpSocket m_socket;
    QTimer m_pace;
    QByteArray m_request;
    QByteArray m_heard;
    qint64 m_pieceBytes;
    qint64 m_sent = 0;
    qint64 m_stopAfter = std::numeric_limits<qint64>::max();
};

// The web remote's server against the simulated demo home: who gets in,
// what every answer carries, and the page's WebSocket.
class TestWebRemote : public QObject {
    Q_OBJECT

public:
    // How a page whose owner's change is under way stops being able to answer its question.
    enum class Leaving { ClosedBeforeQuestion, ClosedAtQuestion, NoOwnerAnyMore };
    Q_ENUM(Leaving)

private:
    QTemporaryDir dir;
    std::optional<FreshProgram> program;
    std::unique_ptr<TransmitterServer> simulator;
    std::unique_ptr<WebRemoteServer> server;
    std::unique_ptr<MasterLink> link;
    std::unique_ptr<WebHub> hub;
    QNetworkAccessManager network;
    quint16 port = 0;

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
    WebAccess access() const { return WebAccess(dir.filePath("web-access.json")); }

    struct Answer {
        int status = 0;
        QByteArray body;
        QNetworkReply *reply = nullptr;
    };
    using RawHeaders = QList<QPair<QByteArray, QByteArray>>;
    Answer get(const QString &path, const QString &token = {}, const QByteArray &language = {},
               const RawHeaders &headers = {})
    {
        QNetworkRequest request(QUrl(base() + path));
        for (const auto &[name, value] : headers)
            request.setRawHeader(name, value);
        if (!language.isEmpty())
            request.setRawHeader("Accept-Language", language);
        // Only the cookie the test hands over, never one kept from an earlier answer.
        request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
        request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
        if (!token.isEmpty())
            request.setRawHeader("Cookie", "ardentia_token=" + token.toLatin1());
        QNetworkReply *reply = network.get(request);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!finished.wait(5000))
            return {};
        reply->deleteLater();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->readAll(), reply};
    }

    // A body as it was before the server compressed it.
    static QByteArray decoded(const QByteArray &body, const QByteArray &encoding)
    {
        if (encoding == "gzip") {
            z_stream stream{};
            inflateInit2(&stream, 15 + 16);
            QByteArray out(1 << 20, Qt::Uninitialized);
            stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(body.constData()));
            stream.avail_in = uInt(body.size());
            stream.next_out = reinterpret_cast<Bytef *>(out.data());
            stream.avail_out = uInt(out.size());
            const int result = inflate(&stream, Z_FINISH);
            out.truncate(qsizetype(stream.total_out));
            inflateEnd(&stream);
            return result == Z_STREAM_END ? out : QByteArray();
        }
        if (encoding == "br") {
            size_t size = 1 << 20;
            QByteArray out(qsizetype(size), Qt::Uninitialized);
            if (BrotliDecoderDecompress(
                    size_t(body.size()), reinterpret_cast<const uint8_t *>(body.constData()), &size,
                    reinterpret_cast<uint8_t *>(out.data())) != BROTLI_DECODER_RESULT_SUCCESS)
                return {};
            out.truncate(qsizetype(size));
            return out;
        }
        return body;
    }

    // A token, paired as a phone would: the link's code for the cookie.
    QString pairedToken(WebAccess::Role role = WebAccess::Role::Family)
    {
        const std::optional<QString> code =
            access().newPairingCode(QDateTime::currentDateTimeUtc(), nullptr, role);
        const Answer answer = get("/pair?code=" + *code);
        const QByteArray cookie = answer.reply->rawHeader("Set-Cookie");
        return WebRemoteServer::tokenOf(cookie.left(cookie.indexOf(';')));
    }

    std::unique_ptr<QWebSocket> page(const QString &token, const QString &origin,
                                     const QString &path = "/")
    {
        auto socket = std::make_unique<QWebSocket>(origin);
        QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(port).arg(path)));
        if (!token.isEmpty())
            request.setRawHeader("Cookie", "ardentia_token=" + token.toLatin1());
        socket->open(request);
        return socket;
    }

    // A page open for a device, and every message it hears, parsed.
    struct OpenPage {
        std::unique_ptr<QWebSocket> socket;
        std::shared_ptr<QList<QJsonObject>> heard = std::make_shared<QList<QJsonObject>>();
        // Whether a message, from the one numbered `from` on, has all these fields.
        bool heardWith(const QJsonObject &fields, qsizetype from = 0) const
        {
            return std::any_of(heard->cbegin() + from, heard->cend(), [&fields](const auto &m) {
                for (auto field = fields.begin(); field != fields.end(); ++field)
                    if (m.value(field.key()) != field.value())
                        return false;
                return true;
            });
        }
        bool heardOf(const QString &type, const QString &key = {},
                     const QJsonValue &value = {}) const
        {
            QJsonObject fields{{"type", type}};
            if (!key.isEmpty())
                fields.insert(key, value);
            return heardWith(fields);
        }
    };
    OpenPage openPage(const QString &token, const QString &path = "/")
    {
        OpenPage opened{page(token, base(), path)};
        connect(opened.socket.get(), &QWebSocket::textMessageReceived, this,
                [heard = opened.heard](const QString &text) {
                    heard->append(QJsonDocument::fromJson(text.toUtf8()).object());
                });
        return opened;
    }
    // Two owners' pages, each open once it has the home (a page that got
    // none comes without its socket).
    std::pair<OpenPage, OpenPage> twoOwnersPages()
    {
        std::pair<OpenPage, OpenPage> pages{openPage(pairedToken(WebAccess::Role::Owner)),
                                            openPage(pairedToken(WebAccess::Role::Owner))};
        for (OpenPage *page : {&pages.first, &pages.second})
            if (!QTest::qWaitFor([page] { return page->heardOf("home"); }))
                page->socket.reset();
        return pages;
    }
    static QJsonObject messageOf(const OpenPage &page, const QString &type)
    {
        const auto found =
            std::find_if(page.heard->crbegin(), page.heard->crend(),
                         [&type](const QJsonObject &m) { return m.value("type") == type; });
        return found == page.heard->crend() ? QJsonObject() : *found;
    }
    // The scenario of that name in the last home the page heard; empty when none.
    // The user's scenario of that name in the page's home.
    static QJsonObject scenarioShown(const OpenPage &page, const QString &name)
    {
        for (const QJsonValue &scenario : messageOf(page, "home").value("scenarios").toArray())
            if (scenario.toObject().value("user").toBool() &&
                scenario.toObject().value("name") == name)
                return scenario.toObject();
        return {};
    }
    QString storedTitle(const QString &id)
    {
        const std::optional<QVariantMap> device = Database::instance()->deviceRecordWithMainID(id);
        if (device)
            return device->value(Key::title).toString();
        for (const QVariantMap &transmitter : Database::instance()->readAllSuperBoxInfo())
            if (transmitter.value(Key::id).toString() == id)
                return transmitter.value(Key::title).toString();
        return QStringLiteral("(gone)");
    }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        link = std::make_unique<MasterLink>(program->services());
        QFile::remove(dir.filePath("web-access.json"));
        simulator = startLoopbackSimulator(SimulatedHome::demo());
        QVERIFY(simulator);
        storeDemoMaster();
        QVERIFY(ConfigurationImport(program->services())
                    .rebuildStoreFrom(QString::fromUtf8(simulator->home().configurationText())));
        server = std::make_unique<WebRemoteServer>(access());
        port = server->start(QHostAddress::LocalHost, 0);
        QVERIFY(port != 0);
        hub = std::make_unique<WebHub>(program->services(), server.get(), link.get(),
                                       BridgeTopics{"ardentia", "homeassistant"});
    }
    void cleanup()
    {
        hub.reset();
        server.reset();
        link.reset();
        simulator.reset();
        program.reset();
    }

    void nothingWithoutAToken_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("token");
        dataRow("page", "/", "");
        dataRow("script", "/app.js", "");
        dataRow("made-up token", "/", "abc");
    }
    void nothingWithoutAToken()
    {
        QFETCH(QString, path);
        QFETCH(QString, token);
        const Answer answer = get(path, token);
        QCOMPARE(answer.status, 401);
        QVERIFY(!answer.body.contains("<script"));
    }

    void aLinkPairsOnceAndTheCookieIsGuarded()
    {
        const QString code = *access().newPairingCode();
        const Answer first = get("/pair?code=" + code);
        QCOMPARE(first.status, 303);
        const QByteArray cookie = first.reply->rawHeader("Set-Cookie");
        for (const char *flag : {"HttpOnly", "SameSite=Strict", "Path=/"})
            QVERIFY2(cookie.contains(flag), cookie.constData());
        QCOMPARE(get("/pair?code=" + code).status, 403); // used
        const QString token = WebRemoteServer::tokenOf(cookie.left(cookie.indexOf(';')));
        const Answer index = get("/", token);
        QCOMPARE(index.status, 200);
        QVERIFY(index.body.contains("<script type=\"module\""));
        const QByteArray policy = index.reply->rawHeader("Content-Security-Policy");
        QVERIFY(policy.contains("script-src 'self'"));
        // The script written into the page runs: the policy names it by its
        // hash, and allows no other inline script.
        const QRegularExpressionMatch inlineScript =
            QRegularExpression(QStringLiteral("<script>(.*?)</script>"),
                               QRegularExpression::DotMatchesEverythingOption)
                .match(QString::fromUtf8(index.body));
        QVERIFY(inlineScript.hasMatch());
        const QByteArray hash =
            QCryptographicHash::hash(inlineScript.captured(1).toUtf8(), QCryptographicHash::Sha256);
        QVERIFY2(policy.contains(QByteArray("'sha256-" + hash.toBase64() + '\'')),
                 policy.constData());
        QVERIFY(!policy.contains("unsafe-inline"));
        QCOMPARE(index.reply->rawHeader("X-Content-Type-Options"), QByteArray("nosniff"));
        QCOMPARE(index.reply->rawHeader("Referrer-Policy"), QByteArray("no-referrer"));
        QCOMPARE(get("/app.js", token).reply->rawHeader("Content-Type"),
                 QByteArray("text/javascript; charset=utf-8"));
        QCOMPARE(get("/nothing-here", token).status, 404);
    }

    void thePagesFilesGoCompressedAndAreAskedAgainCheaply_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("accepted");
        QTest::addColumn<QByteArray>("encoding");
        dataRow("script, brotli first", "/app.js", QByteArray("gzip, br"), QByteArray("br"));
        dataRow("script, gzip", "/app.js", QByteArray("gzip, deflate"), QByteArray("gzip"));
        dataRow("brotli refused", "/style.css", QByteArray("br;q=0, gzip"), QByteArray("gzip"));
        dataRow("nothing accepted", "/devices.js", QByteArray("identity"), QByteArray());
        dataRow("page in its language", "/", QByteArray("br"), QByteArray("br"));
        dataRow("picture", "/icons/home_Lighting.svg", QByteArray("gzip"), QByteArray("gzip"));
    }
    void thePagesFilesGoCompressedAndAreAskedAgainCheaply()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, accepted);
        QFETCH(QByteArray, encoding);
        const QString token = pairedToken();
        const Answer plain = get(path, token, "en", {{"Accept-Encoding", "identity"}});
        QCOMPARE(plain.status, 200);
        const QByteArray plainTag = plain.reply->rawHeader("ETag");
        const Answer sent = get(path, token, "en", {{"Accept-Encoding", accepted}});
        QCOMPARE(sent.status, 200);
        QCOMPARE(sent.reply->rawHeader("Content-Encoding"), encoding);
        QVERIFY(sent.reply->rawHeader("Vary").contains("Accept-Encoding"));
        const QByteArray tag = sent.reply->rawHeader("ETag");
        QCOMPARE(decoded(sent.body, encoding), plain.body);
        if (!encoding.isEmpty())
            QVERIFY(sent.body.size() < plain.body.size());
        // The same file asked again with its tag: "not modified", no body.
        QVERIFY(!tag.isEmpty());
        QVERIFY(encoding.isEmpty() ? tag == plainTag : tag != plainTag);
        const Answer again =
            get(path, token, "en", {{"Accept-Encoding", accepted}, {"If-None-Match", tag}});
        QCOMPARE(again.status, 304);
        QVERIFY(again.body.isEmpty());
        // Another language's page is another file.
        if (path == "/")
            QCOMPARE(
                get(path, token, "zh-CN", {{"Accept-Encoding", accepted}, {"If-None-Match", tag}})
                    .status,
                200);
    }

    // The document carries its style and the home's modules, made one, only
    // where they fit; otherwise it stays as it is (the files are fetched).
    void theDocumentCarriesItsStyleAndScriptsWhereTheyFit_data()
    {
        QTest::addColumn<QByteArray>("app");
        QTest::addColumn<QByteArray>("library");
        QTest::addColumn<bool>("carried");
        const QByteArray usesLibrary = "import { twice } from './library.js';\nshow(twice(2));\n";
        dataRow("modules made one", usesLibrary, QByteArray("export const twice = (n) => 2 * n;\n"),
                true);
        dataRow("a module fetched when it runs", usesLibrary + "import('./later.js');\n",
                QByteArray("export const twice = (n) => 2 * n;\n"), true);
        dataRow("an import not carried", QByteArray("import { twice } from './elsewhere.js';\n"),
                QByteArray("export const twice = 1;\n"), false);
        dataRow("another form of import", QByteArray("import * as all from './library.js';\n"),
                QByteArray("export const twice = 1;\n"), false);
        dataRow("another form of export", usesLibrary, QByteArray("export let twice = 1;\n"),
                false);
        dataRow("modules importing each other", usesLibrary,
                QByteArray("import { show } from './app.js';\nexport const twice = 1;\n"), false);
        dataRow("a module that would end the element", usesLibrary,
                QByteArray("export const twice = () => '</script>';\n"), false);
    }
    void theDocumentCarriesItsStyleAndScriptsWhereTheyFit()
    {
        QFETCH(QByteArray, app);
        QFETCH(QByteArray, library);
        QFETCH(bool, carried);
        const QByteArray document = "<head><link rel=\"stylesheet\" href=\"/style.css\">\n"
                                    "<script type=\"module\" async src=\"/app.js\"></script>\n"
                                    "<link rel=\"modulepreload\" href=\"/library.js\">\n</head>";
        const QHash<QString, QByteArray> files{
            {"/style.css", "p { color: red; }\n"}, {"/app.js", app}, {"/library.js", library}};
        const QByteArray built =
            PageDocument::built(document, [&](const QString &path) { return files.value(path); });
        if (!carried) {
            QCOMPARE(built, document);
            return;
        }
        QCOMPARE(built, QByteArray("<head><style>\np { color: red; }\n</style>\n"
                                   "<script type=\"module\" async>\n"
                                   "const module$library = (() => {\n"
                                   "const twice = (n) => 2 * n;\nreturn { twice };\n})();\n") +
                            QByteArray(app).replace("import { twice } from './library.js';",
                                                    "const { twice } = module$library;") +
                            "</script>\n</head>");
    }

    // A page file loses what only its reader needs, and nothing that means anything.
    void pageFilesAreSentWithoutCommentsAndIndentation_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("sent");
        dataRow("script: comment lines, indentation and empty lines", QString("/a.js"),
                QByteArray("// what it does\nif (a) {\n\n  // why\n  go(); // kept\n}\n"),
                QByteArray("if (a) {\ngo(); // kept\n}\n"));
        dataRow("script: a template across lines stays as written", QString("/a.js"),
                QByteArray("const t = `one\n  // two\n    three`;\n  x();"),
                QByteArray("const t = `one\n  // two\n    three`;\nx();"));
        dataRow("script: an escaped backtick opens nothing", QString("/a.js"),
                QByteArray("const q = '\\`';\n  // gone\n"), QByteArray("const q = '\\`';\n"));
        dataRow("style: comments outside strings", QString("/a.css"),
                QByteArray("/* the rows */\n.a {\n  content: \"/* kept */\";\n}\n"),
                QByteArray(".a {\ncontent: \"/* kept */\";\n}\n"));
        dataRow("style: a comment that never ends", QString("/a.css"),
                QByteArray(".a { }\n/* open"), QByteArray(".a { }\n/* open"));
        dataRow("document: comments, indentation and the script in it", QString("/a.html"),
                QByteArray("<!-- note -->\n<p>\n  <b>one</b> <!-- x --> two\n</p>\n<script>\n"
                           "  // said\n  go();\n</script>\n"),
                QByteArray("<p>\n<b>one</b>  two\n</p>\n<script>go();\n</script>\n"));
        dataRow("document: spaces that are text keep the indentation", QString("/a.html"),
                QByteArray("<!-- note -->\n<pre>\n  a\n</pre>\n"),
                QByteArray("\n<pre>\n  a\n</pre>\n"));
        dataRow("other files as they are", QString("/a.svg"), QByteArray("<!-- a -->\n  <svg/>"),
                QByteArray("<!-- a -->\n  <svg/>"));
    }
    void pageFilesAreSentWithoutCommentsAndIndentation()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, sent);
        QCOMPARE(PageText::compacted(path, content), sent);
    }

    // The first request after a start is not kept waiting for brotli's best
    // level; the best follows, the same file under the same tag.
    void theBestCompressionFollowsTheFirstAnswer()
    {
        const QString token = pairedToken();
        const QByteArray plain =
            get("/style.css", token, "en", {{"Accept-Encoding", "identity"}}).body;
        const Answer first = get("/style.css", token, "en", {{"Accept-Encoding", "br"}});
        QCOMPARE(decoded(first.body, "br"), plain);
        const QByteArray tag = first.reply->rawHeader("ETag");
        Answer later;
        QTRY_VERIFY_WITH_TIMEOUT(
            (later = get("/style.css", token, "en", {{"Accept-Encoding", "br"}})).body.size() <
                first.body.size(),
            20000);
        QCOMPARE(decoded(later.body, "br"), plain);
        QCOMPARE(later.reply->rawHeader("ETag"), tag);
    }

    // A WebSocket only for a paired device and from the page's own origin.
    void theWebSocketChecksWhoAndWhere_data()
    {
        QTest::addColumn<bool>("paired");
        QTest::addColumn<QString>("origin"); // %1: the port
        QTest::addColumn<bool>("served");
        dataRow("paired, own origin", true, "http://127.0.0.1:%1", true);
        dataRow("no token", false, "http://127.0.0.1:%1", false);
        dataRow("another site", true, "http://evil.example", false);
        dataRow("no origin", true, "", false);
    }
    void theWebSocketChecksWhoAndWhere()
    {
        QFETCH(bool, paired);
        QFETCH(QString, origin);
        QFETCH(bool, served);
        const auto socket = page(paired ? pairedToken() : QString(),
                                 origin.contains("%1") ? origin.arg(port) : origin);
        QSignalSpy messages(socket.get(), &QWebSocket::textMessageReceived);
        QSignalSpy closed(socket.get(), &QWebSocket::disconnected);
        if (served) {
            QVERIFY(messages.wait(5000));
            const QJsonObject home =
                QJsonDocument::fromJson(messages.constFirst().constFirst().toByteArray()).object();
            QCOMPARE(home.value("type").toString(), QStringLiteral("home"));
            QCOMPARE(home.value("channels").toArray().size(), 7);
            QCOMPARE(home.value("scenarios").toArray().size(), 4);
        } else {
            QVERIFY(closed.wait(5000));
            QVERIFY(messages.isEmpty());
        }
        // Once the page is gone, its connection no longer counts against the limit.
        const int open = server->connectionCount();
        socket->close();
        QTRY_COMPARE(server->connectionCount(), open - (served ? 1 : 0));
    }

    // A press shows on every page once the home acknowledged it, with the
    // master's link answered just then; a bad request is answered to its own
    // page alone, and an oversized one closes it.
    void pagesDriveTheHome()
    {
        const QString token = pairedToken();
        const OpenPage asking = openPage(token), other = openPage(token);
        QTRY_VERIFY(asking.heardOf("home"));
        QTRY_VERIFY(other.heardOf("home"));
        const QJsonObject home = messageOf(asking, "home");
        QVERIFY(home.value("link").toObject().contains("answeredAgo"));
        QVERIFY(QJsonDocument(home).toJson(QJsonDocument::Compact).contains(R"("uses":0)"));
        for (const char *bad :
             {"not json", R"({"type":"launch"})", R"({"type":"set","id":"999","state":"ON"})",
              R"({"type":"set","id":"212200004560","brightness":900})"}) {
            const qsizetype from = asking.heard->size();
            asking.socket->sendTextMessage(bad);
            QTRY_VERIFY2(asking.heardWith({{"type", "error"}}, from), bad);
        }
        QVERIFY(asking.heardOf("error", "code", "badRequest"));
        asking.socket->sendTextMessage(R"({"type":"set","id":"211300001231","state":"ON"})");
        for (const OpenPage *page : {&asking, &other})
            QTRY_VERIFY(
                page->heardWith({{"type", "state"}, {"id", "211300001231"}, {"state", "ON"}}));
        QVERIFY(simulator->home().channel("211300001231")->state.on);
        QVERIFY(!other.heardOf("error"));
        // The acknowledged press is counted, and the new count told: the quick panels' order.
        QTRY_VERIFY(asking.heard->contains(
            QJsonObject{{"id", "211300001231"}, {"type", "uses"}, {"uses", 1}}));
        QTRY_VERIFY(asking.heardWith({{"type", "link"}, {"state", "online"}, {"answeredAgo", 0}}));
        // A curtain shows where its acknowledged move took it, as MQTT does.
        for (const char *move : {"OPEN", "CLOSE"}) {
            const qsizetype from = asking.heard->size();
            asking.socket->sendTextMessage(
                QStringLiteral(R"({"type":"set","id":"213100007890","state":"%1"})").arg(move));
            QTRY_VERIFY(asking.heardWith({{"id", "213100007890"}, {"state", move}}, from));
        }
        QSignalSpy closed(asking.socket.get(), &QWebSocket::disconnected);
        asking.socket->sendTextMessage(QString(WebRemoteServer::kMaxMessageBytes + 10, 'x'));
        QVERIFY(closed.wait(5000));
    }

    // Past the limit, the oldest connection not known to be a paired
    // device's is closed first; a paired one stays.
    void theConnectionLimitClosesTheOldestUnpairedFirst()
    {
        server->setConnectionLimits({4, 10000, 60000});
        const QString token = pairedToken(); // its connection is kept, paired
        QTcpSocket phone;
        phone.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(phone.waitForConnected(5000));
        phone.write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: ardentia_token=" +
                    token.toLatin1() + "\r\n\r\n");
        QTRY_VERIFY(phone.bytesAvailable() > 0);
        std::vector<std::unique_ptr<QTcpSocket>> strangers;
        for (int i = 0; i < 5; ++i) {
            strangers.push_back(std::make_unique<QTcpSocket>());
            strangers.back()->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(strangers.back()->waitForConnected(5000));
            QTRY_VERIFY(server->connectionCount() <= 4);
        }
        QTRY_COMPARE(strangers.front()->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(strangers.back()->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(phone.state(), QAbstractSocket::ConnectedState);
    }

    // A request must come whole in time, and an idle connection is closed.
    void slowOrSilentConnectionsAreClosed_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("headerMs");
        QTest::addColumn<int>("idleMs");
        dataRow("headers never finished", QByteArray("GET / HTTP/1.1\r\n"), 200, 60000);
        dataRow("nothing said", QByteArray(), 60000, 200);
    }
    void slowOrSilentConnectionsAreClosed()
    {
        QFETCH(QByteArray, sent);
        QFETCH(int, headerMs);
        QFETCH(int, idleMs);
        server->setConnectionLimits({ConnectionLimits::kDefaultMaxConnections, headerMs, idleMs});
        QTcpSocket slow;
        slow.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(slow.waitForConnected(5000));
        slow.write(sent);
        QTRY_COMPARE_WITH_TIMEOUT(slow.state(), QAbstractSocket::UnconnectedState, 5000);
        QTRY_COMPARE(server->connectionCount(), 0);
    }

    // Requests that each come alone and are each answered, but whose answers
    // are never read: what piles up for the peer ends the connection long
    // before its requests add up to the request limit.
    void unreadAnswersEndTheConnection()
    {
        const QByteArray request =
            "GET /app.js HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: ardentia_token=" +
            pairedToken().toLatin1() + "\r\n\r\n";
        const int before = server->connectionCount();
        QTcpSocket reader; // that reads nothing (and so does not see its end either)
        reader.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
        reader.setReadBufferSize(1);
        reader.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(reader.waitForConnected(5000));
        QTRY_COMPARE(server->connectionCount(), before + 1);
        qint64 sent = 0;
        while (server->connectionCount() > before &&
               sent + request.size() < ConnectionByteLimit::kMaxRequestBytes) {
            reader.write(request);
            reader.waitForBytesWritten(1000);
            sent += request.size();
            for (int turn = 0; turn < 3; ++turn) // the server takes it in
                QCoreApplication::processEvents();
        }
        QTRY_COMPARE(server->connectionCount(), before);
        QVERIFY2(sent < ConnectionByteLimit::kMaxRequestBytes, qPrintable(QString::number(sent)));
    }

    // A page that stops answering pings (here a bare connection that never
    // reads again) is closed; a live page stays through many pings.
    void aSilentPageIsClosedALiveOneKept()
    {
        hub->setKeepAliveInterval(50);
        const QString token = pairedToken();
        const auto live = page(token, base());
        QSignalSpy liveMessages(live.get(), &QWebSocket::textMessageReceived);
        QVERIFY(liveMessages.wait(5000));
        QTcpSocket silent;
        silent.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(silent.waitForConnected(5000));
        silent.write(
            QStringLiteral("GET / HTTP/1.1\r\nHost: 127.0.0.1:%1\r\nUpgrade: websocket\r\n"
                           "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                           "Origin: http://127.0.0.1:%1\r\nCookie: ardentia_token=%2\r\n\r\n")
                .arg(port)
                .arg(token)
                .toLatin1());
        QTRY_COMPARE(hub->pageCount(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QAbstractSocket::UnconnectedState, 5000);
        QCOMPARE(hub->pageCount(), 1);
        QCOMPARE(live->state(), QAbstractSocket::ConnectedState);
    }

    // Pages are bounded per address, and family members' pages leave room
    // for the owner's: however the server fills, the owner's page opens.
    void pagesAreBoundedAndOwnersKeepRoom_data()
    {
        QTest::addColumn<int>("maxConnections");
        QTest::addColumn<int>("devices");
        QTest::addColumn<int>("pagesEach");
        QTest::addColumn<int>("open"); // of the family's pages
        const int perDevice = ConnectionLimits::kMaxPagesPerDevice;
        dataRow("one address", 256, 5, perDevice, ConnectionLimits::kMaxPagesPerAddress);
        dataRow("a full server", 12, 3, perDevice, 11); // a sixteenth, one, left
    }
    void pagesAreBoundedAndOwnersKeepRoom()
    {
        QFETCH(int, maxConnections);
        QFETCH(int, devices);
        QFETCH(int, pagesEach);
        QFETCH(int, open);
        server->setConnectionLimits({maxConnections, 10000, 60000});
        QStringList tokens;
        for (int i = 0; i < devices; ++i)
            tokens.append(pairedToken());
        const QString owner = pairedToken(WebAccess::Role::Owner);
        network.clearConnectionCache(); // the pairings' connections are not the pages'
        QTRY_COMPARE(server->connectionCount(), 0);
        std::vector<OpenPage> pages;
        for (const QString &token : tokens)
            for (int i = 0; i < pagesEach; ++i)
                pages.push_back(openPage(token));
        const auto settled = [&pages] {
            return std::all_of(pages.cbegin(), pages.cend(), [](const OpenPage &page) {
                return page.heardOf("home") ||
                       page.socket->state() == QAbstractSocket::UnconnectedState;
            });
        };
        QTRY_VERIFY(settled());
        QCOMPARE(hub->pageCount(), open);
        const OpenPage owners = openPage(owner);
        QTRY_VERIFY(owners.heardOf("home"));
        QCOMPARE(hub->pageCount(), open + 1);
    }

    // A family page sending as fast as it can keeps no owner's new scenario
    // from being saved: its commands are paced, and the owner's change waits
    // for those already sent instead of being refused.
    void aFamilyPagesStreamKeepsNoOwnerOut_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("paced"); // faster than a person: refused past a burst
        QTest::newRow("presses") << R"({"type":"set","id":"211300001231","state":"%1"})" << false;
        QTest::newRow("imports") << R"({"type":"sync"})" << true;
    }
    void aFamilyPagesStreamKeepsNoOwnerOut()
    {
        QFETCH(QString, command);
        QFETCH(bool, paced);
        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner));
        const OpenPage family = openPage(pairedToken());
        QTRY_VERIFY(owner.heardOf("home"));
        QTRY_VERIFY(family.heardOf("home"));
        QTimer stream;
        stream.setInterval(100);
        int sent = 0;
        connect(&stream, &QTimer::timeout, family.socket.get(), [&] {
            ++sent;
            family.socket->sendTextMessage(
                command.contains("%1") ? command.arg(sent % 2 ? "ON" : "OFF") : command);
        });
        stream.start();
        QTRY_VERIFY(sent >= 10); // the owner acts with the stream under way
        owner.socket->sendTextMessage(
            R"({"type":"saveScenario","number":"","name":"Late film",)"
            R"("image":"icon_choose_small_1.png","members":[{"id":"211300001232","state":"ON"}]})");
        const auto stored = [] {
            const QList<QVariantMap> scenarios = Database::instance()->readAllScenarioInfo();
            return std::any_of(scenarios.cbegin(), scenarios.cend(), [](const QVariantMap &s) {
                return s.value(Key::title) == QStringLiteral("Late film");
            });
        };
        QTRY_VERIFY_WITH_TIMEOUT(stored() || owner.heardOf("error"), 10000);
        stream.stop();
        QVERIFY2(!owner.heardOf("error"),
                 QJsonDocument(messageOf(owner, "error")).toJson(QJsonDocument::Compact));
        QVERIFY(stored());
        QCOMPARE(family.heardOf("error", "code", "tooFast"), paced);
    }

    // The page and the not-paired page in the browser's language.
    void thePageSpeaksTheBrowsersLanguage_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("notPaired");
        dataRow("Chinese", QByteArray("zh-CN,zh;q=0.9"), "zh-CN", "灯光", "未配对");
        dataRow("English", QByteArray("en-US"), "en", "Lighting", "Not paired");
    }
    void thePageSpeaksTheBrowsersLanguage()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, lang);
        QFETCH(QString, tile);
        QFETCH(QString, notPaired);
        const Answer index = get("/", pairedToken(), language);
        const QString html = QString::fromUtf8(index.body);
        QVERIFY(html.contains(QStringLiteral("<html lang=\"%1\"").arg(lang)));
        QVERIFY(html.contains(QStringLiteral(">%1</button>").arg(tile)));
        QVERIFY(!html.contains("{{"));
        QVERIFY(index.reply->rawHeader("Vary").contains("Accept-Language"));
        const Answer refused = get("/", {}, language);
        QCOMPARE(refused.status, 401);
        QVERIFY(QString::fromUtf8(refused.body).contains(notPaired));
    }

    // Under TLS, with an RSA or an EC key: the page, a Secure cookie, strict
    // transport security and the WebSocket over wss; no suite without forward secrecy.
    void tlsServesThePageAndItsSocket_data()
    {
        QTest::addColumn<bool>("ec");
        dataRow("RSA", false);
        dataRow("EC", true);
    }
    void tlsServesThePageAndItsSocket()
    {
        QFETCH(bool, ec);
        const std::optional<TestAuthority> authority = TestAuthority::makeIn(
            dir.path(), ec ? TestAuthority::KeyType::Ec : TestAuthority::KeyType::Rsa);
        QVERIFY(authority);
        WebRemoteServer tlsServer(access());
        QString error;
        QVERIFY(!tlsServer.useTls(dir.filePath("none.crt"), authority->key, &error));
        QVERIFY(error.contains("none.crt"));
        QVERIFY2(tlsServer.useTls(authority->certificate, authority->key, &error),
                 qPrintable(error));
        const quint16 tlsPort = tlsServer.start(QHostAddress::LocalHost, 0);
        QVERIFY(tlsPort != 0);
        WebHub tlsHub(program->services(), &tlsServer, link.get(),
                      BridgeTopics{"ardentia", "homeassistant"});
        QSslConfiguration trust = QSslConfiguration::defaultConfiguration();
        trust.setCaCertificates(QSslCertificate::fromPath(authority->ca));
        const QString tlsBase = QStringLiteral("https://127.0.0.1:%1").arg(tlsPort);

        const auto pair = [&](WebAccess::Role role) {
            QNetworkRequest pairing(
                QUrl(tlsBase + "/pair?code=" +
                     *access().newPairingCode(QDateTime::currentDateTimeUtc(), nullptr, role)));
            pairing.setSslConfiguration(trust);
            pairing.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                 QNetworkRequest::ManualRedirectPolicy);
            QNetworkReply *reply = network.get(pairing);
            QSignalSpy(reply, &QNetworkReply::finished).wait(10000);
            reply->deleteLater();
            return reply;
        };
        QNetworkReply *reply = pair(WebAccess::Role::Family);
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 303);
        const QByteArray cookie = reply->rawHeader("Set-Cookie");
        QVERIFY2(cookie.contains("; Secure"), cookie.constData());
        QVERIFY(reply->rawHeader("Strict-Transport-Security").startsWith("max-age="));

        // A client that offers only a suite with a static RSA key exchange is refused.
        QSslConfiguration withoutForwardSecrecy = trust;
        withoutForwardSecrecy.setProtocol(QSsl::TlsV1_2);
        withoutForwardSecrecy.setCiphers({QSslCipher("AES128-GCM-SHA256")});
        QVERIFY(!withoutForwardSecrecy.ciphers().constFirst().isNull());
        QSslSocket plainKey;
        plainKey.setSslConfiguration(withoutForwardSecrecy);
        plainKey.connectToHostEncrypted("127.0.0.1", tlsPort);
        // The server is in this process: its loop must run to answer the handshake.
        QTRY_VERIFY_WITH_TIMEOUT(
            plainKey.isEncrypted() || plainKey.state() == QAbstractSocket::UnconnectedState, 10000);
        QVERIFY(!plainKey.isEncrypted());

        QWebSocket socket(tlsBase);
        socket.setSslConfiguration(trust);
        QNetworkRequest handshake(QUrl(QStringLiteral("wss://127.0.0.1:%1/").arg(tlsPort)));
        handshake.setRawHeader("Cookie", cookie.left(cookie.indexOf(';')));
        QSignalSpy messages(&socket, &QWebSocket::textMessageReceived);
        socket.open(handshake);
        QVERIFY(messages.wait(10000));
        QVERIFY(messages.constFirst().constFirst().toString().contains(R"("type":"home")"));

        // An upload refused from its head is answered over TLS as every answer is.
        const QByteArray ownerCookie = pair(WebAccess::Role::Owner)->rawHeader("Set-Cookie");
        QSslSocket uploader;
        uploader.setSslConfiguration(trust);
        uploader.connectToHostEncrypted("127.0.0.1", tlsPort);
        QTRY_VERIFY_WITH_TIMEOUT(uploader.isEncrypted(), 10000); // the server's loop must run
        uploader.write("POST /photo HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: " +
                       ownerCookie.left(ownerCookie.indexOf(';')) +
                       "\r\nContent-Length: 100000000\r\n\r\n");
        QByteArray refused;
        QTRY_VERIFY((refused += uploader.readAll()).endsWith(R"({"error":"tooLarge"})"));
        QVERIFY2(refused.startsWith("HTTP/1.1 413 ") &&
                     refused.contains("\r\nStrict-Transport-Security: max-age="),
                 refused.constData());
        // Its body is read on and thrown away over TLS too, up to the allowance; then it closes.
        const QByteArray part(256 << 10, 'x');
        for (qint64 sent = 0; sent < UploadedImage::kMaxBytes; sent += part.size()) {
            QCOMPARE(uploader.state(), QAbstractSocket::ConnectedState);
            uploader.write(part);
            QTRY_VERIFY_WITH_TIMEOUT(
                uploader.encryptedBytesToWrite() + uploader.bytesToWrite() == 0, 5000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(uploader.state(), QAbstractSocket::UnconnectedState, 5000);

        // A page that pings and never reads is cut off over TLS too, where
        // what waits unsent is mostly encrypted already.
        QSslSocket pinger;
        pinger.setSslConfiguration(trust);
        pinger.setReadBufferSize(1); // reads (and decrypts) next to nothing
        pinger.connectToHostEncrypted("127.0.0.1", tlsPort);
        QTRY_VERIFY_WITH_TIMEOUT(pinger.isEncrypted(), 10000);
        pinger.write(QStringLiteral("GET / HTTP/1.1\r\nHost: 127.0.0.1:%1\r\nUpgrade: websocket\r\n"
                                    "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                                    "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                                    "Origin: %2\r\nCookie: %3\r\n\r\n")
                         .arg(tlsPort)
                         .arg(tlsBase, QString::fromLatin1(cookie.left(cookie.indexOf(';'))))
                         .toLatin1());
        QTRY_COMPARE(tlsHub.pageCount(), 2);
        QByteArray pings; // masked with a zero key, each answered by a pong as large
        while (pings.size() < 64 * 1024)
            pings += QByteArray("\x89\xfd\0\0\0\0", 6) + QByteArray(125, 'p');
        for (int i = 0; i < 1024 && tlsHub.pageCount() == 2; ++i) { // 64 MB at most
            pinger.write(pings);
            (void)QTest::qWaitFor(
                [&] { return pinger.bytesToWrite() + pinger.encryptedBytesToWrite() < (1 << 20); });
        }
        QTRY_COMPARE(tlsHub.pageCount(), 1);
    }

    // Every owner's request from a family member's device: refused with its
    // own error, nothing sent to the home, nothing stored. The same from the
    // owner's device is done.
    void familyDevicesCannotDoWhatOnlyTheOwnerMay_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("id");         // whose stored name is watched
        QTest::addColumn<QString>("ownerHears"); // the type of the owner's answer
        QTest::addColumn<QString>("ownerTitle"); // the stored name after the owner's request
        dataRow("rename a light", R"({"type":"rename","id":"211300001231","name":"Hall"})",
                "211300001231", "home", "Hall");
        dataRow("rename a transmitter", R"({"type":"rename","id":"20AA10000001","name":"Attic"})",
                "20AA10000001", "transmitters", "Attic");
        dataRow("remove a curtain", R"({"type":"remove","id":"213100007890"})", "213100007890",
                "home", "(gone)");
        dataRow("remove the master", R"({"type":"remove","id":"20AA10000001"})", "20AA10000001",
                "transmitters", "(gone)");
        dataRow("a device's detail", R"({"type":"detail","id":"212200004560"})", "212200004560",
                "detail", "Living room");
        dataRow("the transmitters", R"({"type":"transmitters"})", "20AA10000001", "transmitters",
                "");
        dataRow("an answer", R"({"type":"answer","question":1,"button":0})", "20AA10000001",
                "error", "");
    }
    void familyDevicesCannotDoWhatOnlyTheOwnerMay()
    {
        QFETCH(QString, request);
        QFETCH(QString, id);
        QFETCH(QString, ownerHears);
        QFETCH(QString, ownerTitle);
        const QString titleBefore = storedTitle(id);
        QSignalSpy datagrams(simulator.get(), &TransmitterServer::datagramAnswered);
        const OpenPage family = openPage(pairedToken(WebAccess::Role::Family));
        QTRY_VERIFY(family.heardOf("home", "role", "family"));
        family.socket->sendTextMessage(request);
        QTRY_VERIFY(family.heardOf("error", "code", "ownerOnly"));
        // A press behind it goes through, and is all the home heard.
        family.socket->sendTextMessage(R"({"type":"set","id":"211300001232","state":"ON"})");
        QTRY_VERIFY(family.heardOf("state", "id", "211300001232"));
        QCOMPARE(datagrams.size(), 1);
        QVERIFY(datagrams.constFirst().constFirst().toByteArray().contains("lig,211300001232,4"));
        QCOMPARE(storedTitle(id), titleBefore);

        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner));
        QTRY_VERIFY(owner.heardOf("home", "role", "owner"));
        const qsizetype before = owner.heard->size();
        owner.socket->sendTextMessage(request);
        QTRY_VERIFY(owner.heardWith({{"type", ownerHears}}, before));
        QVERIFY(!owner.heardOf("error", "code", "ownerOnly"));
        if (!ownerTitle.isEmpty())
            QTRY_COMPARE(storedTitle(id), ownerTitle);
    }

    // A role changed by the command-line tool counts at once: the open page
    // is told, and may do what the new role may; a revoked device's page is closed.
    void aChangedRoleCountsAtOnce()
    {
        const QString token = pairedToken(WebAccess::Role::Family);
        const OpenPage opened = openPage(token);
        QTRY_VERIFY(opened.heardOf("home", "role", "family"));
        WebAccess changer = access();
        const QString id = changer.tokens().constFirst().id;
        QVERIFY(changer.setRole(id, WebAccess::Role::Owner));
        QTRY_VERIFY(opened.heardOf("role", "role", "owner"));
        opened.socket->sendTextMessage(R"({"type":"transmitters"})");
        QTRY_VERIFY(opened.heardOf("transmitters"));
        QVERIFY(changer.setRole(id, WebAccess::Role::Family));
        QTRY_VERIFY(opened.heardOf("role", "role", "family"));
        opened.socket->sendTextMessage(R"({"type":"transmitters"})");
        QTRY_VERIFY(opened.heardOf("error", "code", "ownerOnly"));
        QSignalSpy closed(opened.socket.get(), &QWebSocket::disconnected);
        QVERIFY(changer.revoke(id));
        QVERIFY(closed.wait(5000));
        QCOMPARE(opened.socket->closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    }

    // Names as the app takes them: 1 to 20 characters, nothing the wire cannot carry.
    void namesFollowTheAppsRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        dataRow("empty", "", "nameEmpty");
        dataRow("21 characters", QString(21, 'a'), "nameTooLong");
        dataRow("a comma", "Hall, upstairs", "nameUnsendable");
        dataRow("the line's suffix", "Hall\\n", "nameUnsendable");
        dataRow("a line break", "Hall\nx", "nameUnsendable");
        dataRow("20 Chinese characters", QString(20, QChar(0x706F)), "");
        dataRow("one blank", " ", "");
    }
    void namesFollowTheAppsRules()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner));
        QTRY_VERIFY(owner.heardOf("home"));
        owner.socket->sendTextMessage(QString::fromUtf8(compactJsonOf(
            QJsonObject{{"type", "rename"}, {"id", "211300001231"}, {"name", name}})));
        if (refusal.isEmpty()) {
            QTRY_COMPARE(storedTitle("211300001231"), name);
        } else {
            QTRY_VERIFY(owner.heardOf("error", "code", refusal));
            QCOMPARE(storedTitle("211300001231"), QStringLiteral("Stairs"));
        }
    }

    // A controller that does not answer a removal: the owner's page is asked
    // the app's question, which only that page may answer (another owner's
    // naming its number removes nothing); "force" removes it from the master
    // and the store, with the app's toast in the page's language. A stale
    // answer is refused. A press meanwhile reaches every page as its row's
    // error, never as a toast on the page whose change is under way.
    void aSilentControllerIsRemovedByForceOnTheOwnersWord()
    {
        QVERIFY(simulator->home().setChannelResponsive("211300001232", false));
        QVERIFY(simulator->home().setChannelResponsive("211300001231", false));
        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner), "/?lang=zh-CN");
        const OpenPage other = openPage(pairedToken(WebAccess::Role::Owner));
        QTRY_VERIFY(owner.heardOf("home"));
        QTRY_VERIFY(other.heardOf("home"));
        owner.socket->sendTextMessage(R"({"type":"remove","id":"211300001232"})");
        QTRY_VERIFY(owner.heardOf("question"));
        QVERIFY(!other.heardOf("question"));
        const QJsonObject question = messageOf(owner, "question");
        QVERIFY(question.value("message").toString().contains(QStringLiteral("强制删除")));
        QCOMPARE(question.value("buttons").toArray().size(), 2);
        other.socket->sendTextMessage(R"({"type":"set","id":"211300001231","state":"ON"})");
        for (const OpenPage *page : {&other, &owner})
            QTRY_VERIFY(page->heardOf("error", "id", "211300001231"));
        QVERIFY(!owner.heardOf("toast") && !other.heardOf("toast"));
        const QString force = QStringLiteral(R"({"type":"answer","question":%1,"button":0})")
                                  .arg(question.value("question").toInt());
        other.socket->sendTextMessage(force);
        QTRY_VERIFY(other.heardOf("error", "code", "noQuestion"));
        QCOMPARE(storedTitle("211300001232"), QStringLiteral("Porch"));
        QVERIFY(simulator->home().channel("211300001232"));
        owner.socket->sendTextMessage(force);
        QTRY_VERIFY(owner.heardOf("toast", "title", QStringLiteral("强制删除设备成功")));
        QCOMPARE(storedTitle("211300001232"), QStringLiteral("(gone)"));
        QVERIFY(!simulator->home().channel("211300001232"));
        owner.socket->sendTextMessage(force);
        QTRY_VERIFY(owner.heardOf("error", "code", "noQuestion"));
    }

    // Two pages change the home at the same time: each hears its own flow's
    // outcome and not the other's, and nobody is refused "busy". The first
    // owner's page saves a scenario the master refuses, or enrols a unit; the
    // second page (an owner's, or a family member's) asks its own change.
    void twoPagesChangeTheHomeAtOnce_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QString>("firstHears"); // a type, or a toast's title
        QTest::addColumn<bool>("family");        // the second page's device is a family member's
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>(
            "secondDone"); // "Evening" stored, "Hall" named, a press's "state"
        const QStringList refusedScenario{
            R"({"type":"saveScenario","number":"","name":"Morning","image":"icon_choose_small_1.png",)"
            R"("members":[{"id":"211300001232","state":"ON"}]})"};
        dataRow(
            "two owners' scenarios", refusedScenario, "Setting scenario failed", false,
            R"({"type":"saveScenario","number":"","name":"Evening",)"
            R"("image":"icon_choose_small_2.png","members":[{"id":"211300001231","state":"ON"}]})",
            "Evening");
        dataRow("a family press during an owner's edit", refusedScenario, "Setting scenario failed",
                true, R"({"type":"set","id":"211300001231","state":"ON"})", "state");
        dataRow("a rename while another owner enrols",
                QStringList{R"({"type":"enrol","id":"2112D0007770","names":["Desk"]})"}, "enrolled",
                false, R"({"type":"rename","id":"211300001231","name":"Hall"})", "Hall");
    }
    void twoPagesChangeTheHomeAtOnce()
    {
        QFETCH(QStringList, first);
        QFETCH(QString, firstHears);
        QFETCH(bool, family);
        QFETCH(QString, second);
        QFETCH(QString, secondDone);
        simulator->faults().add(*FaultRule::parse("lig:13:211300001232=code:1", nullptr));
        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner));
        const OpenPage other =
            openPage(pairedToken(family ? WebAccess::Role::Family : WebAccess::Role::Owner));
        QTRY_VERIFY(owner.heardOf("home"));
        QTRY_VERIFY(other.heardOf("home"));
        owner.socket->sendTextMessage(R"({"type":"decode","code":"2112D0007770"})");
        QTRY_VERIFY(owner.heardOf("decoded"));
        for (const QString &message : first)
            owner.socket->sendTextMessage(message);
        other.socket->sendTextMessage(second);
        const auto firstDone = [&] {
            return owner.heardOf(firstHears) || owner.heardOf("toast", "title", firstHears);
        };
        const auto secondIsDone = [&] {
            if (secondDone == "state")
                return other.heardOf("state", "id", "211300001231");
            if (secondDone == "Evening")
                return !scenarioShown(other, "Evening").isEmpty();
            return storedTitle("211300001231") == secondDone;
        };
        QTRY_VERIFY_WITH_TIMEOUT(firstDone(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(secondIsDone(), 10000);
        QVERIFY(!other.heardOf(firstHears) && !other.heardOf("toast", "title", firstHears));
        QVERIFY(!owner.heardOf("toast", "good", true)); // the second's success is its own
        for (const OpenPage *page : {&owner, &other})
            QVERIFY(!page->heardOf("error", "code", "busy"));
    }

    // An owner's change whose page can no longer answer its question keeps no
    // other owner out once its commands are answered: the page closed before
    // the question came or while it was open, or its device is no owner's now.
    void aPageThatCannotAnswerHoldsNoOneOut_data()
    {
        QTest::addColumn<Leaving>("leaving");
        dataRow("closed before the question", Leaving::ClosedBeforeQuestion);
        dataRow("closed at the question", Leaving::ClosedAtQuestion);
        dataRow("no owner any more", Leaving::NoOwnerAnyMore);
    }
    void aPageThatCannotAnswerHoldsNoOneOut()
    {
        QFETCH(Leaving, leaving);
        QVERIFY(simulator->home().setChannelResponsive("211300001232", false));
        const OpenPage asker = openPage(pairedToken(WebAccess::Role::Owner)); // the first token
        const OpenPage other = openPage(pairedToken(WebAccess::Role::Owner));
        QTRY_VERIFY(asker.heardOf("home"));
        QTRY_VERIFY(other.heardOf("home"));
        asker.socket->sendTextMessage(R"({"type":"remove","id":"211300001232"})");
        if (leaving == Leaving::ClosedBeforeQuestion) {
            QTRY_VERIFY(!UDPSocketManager::instance()->isFreeForUser());
            asker.socket->close();
        } else {
            QTRY_VERIFY(asker.heardOf("question"));
            if (leaving == Leaving::ClosedAtQuestion) {
                asker.socket->close();
            } else {
                WebAccess changer = access();
                QVERIFY(changer.setRole(changer.tokens().constFirst().id, WebAccess::Role::Family));
                QTRY_VERIFY(asker.heardOf("role", "role", "family"));
            }
        }
        QTRY_VERIFY(UDPSocketManager::instance()->isFreeForUser());
        other.socket->sendTextMessage(R"({"type":"rename","id":"211300001231","name":"Hall"})");
        QTRY_VERIFY(other.heardOf("error", "code", "busy") ||
                    storedTitle("211300001231") == QStringLiteral("Hall"));
        QVERIFY(!other.heardOf("error", "code", "busy"));
        QVERIFY(!other.heardOf("question"));
        QVERIFY(simulator->home().channel("211300001232")); // nothing removed unasked
    }

    // Each page enrols what it decoded itself: another page's code is not its own.
    void eachPageEnrolsWhatItDecoded()
    {
        const auto [first, second] = twoOwnersPages();
        QVERIFY(first.socket && second.socket);
        first.socket->sendTextMessage(R"({"type":"decode","code":"2112D0007770"})");
        QTRY_VERIFY(first.heardOf("decoded", "id", "2112D0007770"));
        second.socket->sendTextMessage(R"({"type":"decode","code":"2112D0007780"})");
        QTRY_VERIFY(second.heardOf("decoded", "id", "2112D0007780"));
        QVERIFY(!first.heardOf("decoded", "id", "2112D0007780"));
        second.socket->sendTextMessage(R"({"type":"enrol","id":"2112D0007770","names":["Desk"]})");
        QTRY_VERIFY(second.heardOf("error", "code", "notDecoded"));
        first.socket->sendTextMessage(R"({"type":"enrol","id":"2112D0007770","names":["Desk"]})");
        QTRY_VERIFY_WITH_TIMEOUT(first.heardOf("enrolled", "added", 2), 10000);
        QVERIFY(!second.heardOf("enrolled"));
    }

    // A scenario changed on one page is not overwritten (nor deleted) from
    // another that still shows it as it was: the change names the revision
    // it was made on, and a stale one is refused before anything is sent.
    void aScenarioChangedElsewhereIsNotOverwritten()
    {
        const auto [first, second] = twoOwnersPages();
        QVERIFY(first.socket && second.socket);
        const QString save = QStringLiteral(
            R"({"type":"saveScenario","number":"%1","name":"%2","image":"icon_choose_small_1.png",)"
            R"("members":[{"id":"211300001231","state":"ON"}],"revision":"%3"})");
        first.socket->sendTextMessage(save.arg("", "Morning", ""));
        QTRY_VERIFY_WITH_TIMEOUT(!scenarioShown(second, "Morning").isEmpty(), 10000);
        const QJsonObject morning = scenarioShown(second, "Morning");
        const QString number = morning.value("number").toString();
        const QString seen = morning.value("revision").toString();
        // Both pages change it on the same revision at once: the second is refused.
        first.socket->sendTextMessage(save.arg(number, "Dawn", seen));
        second.socket->sendTextMessage(save.arg(number, "Noon", seen));
        QTRY_VERIFY(second.heardOf("error", "code", "changedElsewhere"));
        QTRY_VERIFY_WITH_TIMEOUT(!scenarioShown(second, "Dawn").isEmpty(), 10000);
        QTRY_VERIFY(UDPSocketManager::instance()->isFreeForUser());
        QSignalSpy datagrams(simulator.get(), &TransmitterServer::datagramAnswered);
        second.socket->sendTextMessage(save.arg(number, "Sunrise", seen));
        QTRY_VERIFY(second.heardOf("error", "code", "changedElsewhere"));
        second.socket->sendTextMessage(
            QStringLiteral(R"({"type":"deleteScenario","number":"%1","revision":"%2"})")
                .arg(number, seen));
        QTRY_COMPARE(std::count_if(second.heard->cbegin(), second.heard->cend(),
                                   [](const QJsonObject &m) {
                                       return m.value("code") == "changedElsewhere";
                                   }),
                     3);
        QCOMPARE(datagrams.size(), 0);
        QVERIFY(scenarioShown(second, "Sunrise").isEmpty());
        QVERIFY(scenarioShown(second, "Noon").isEmpty());
        second.socket->sendTextMessage(
            QStringLiteral(R"({"type":"deleteScenario","number":"%1","revision":"%2"})")
                .arg(number, scenarioShown(second, "Dawn").value("revision").toString()));
        QTRY_VERIFY_WITH_TIMEOUT(scenarioShown(second, "Dawn").isEmpty(), 10000);
    }

    // Two new scenarios asked at once (two pages) would both take the first
    // free number: the second waits its turn until the first is stored.
    void twoNewScenariosAtOnceDoNotShareANumber()
    {
        const auto [first, second] = twoOwnersPages();
        QVERIFY(first.socket && second.socket);
        const QString save = QStringLiteral(
            R"({"type":"saveScenario","number":"","name":"%1","image":"icon_choose_small_1.png",)"
            R"("members":[{"id":"%2","state":"ON"}]})");
        const auto userNumbers = [] {
            QStringList numbers;
            for (const QVariantMap &scenario : Database::instance()->readAllScenarioInfo())
                if (RecordFactory::isUserScenario(scenario))
                    numbers.append(scenario.value(Key::mainID).toString());
            return numbers;
        };
        const qsizetype before = userNumbers().size();
        first.socket->sendTextMessage(save.arg("Morning", "211300001231"));
        QTRY_VERIFY(!UDPSocketManager::instance()->isFreeForUser());
        second.socket->sendTextMessage(save.arg("Evening", "211300001232"));
        QTRY_COMPARE_WITH_TIMEOUT(userNumbers().size(), before + 2, 10000);
        QVERIFY(!second.heardOf("error"));
        const QStringList numbers = userNumbers();
        QCOMPARE(QSet<QString>(numbers.cbegin(), numbers.cend()).size(), numbers.size());
        // Each page hears its own scenario's outcome, and not the other's.
        const auto toasts = [](const OpenPage &page) {
            return std::count_if(page.heard->cbegin(), page.heard->cend(),
                                 [](const QJsonObject &m) { return m.value("type") == "toast"; });
        };
        QTRY_VERIFY(UDPSocketManager::instance()->isSettled());
        QTRY_COMPARE(toasts(first), 1);
        QTRY_COMPARE(toasts(second), 1);
    }

    // A scenario from the owner's page: what the home cannot keep is refused
    // before anything is sent; a good one is stored on the master and in the
    // store with its members' states and its icon.
    void scenariosFromAPage_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("refusal"); // empty: stored
        const QString members =
            R"([{"id":"211300001231","state":"OFF"},{"id":"212200004560","brightness":35},)"
            R"({"id":"213100007890","state":"OPEN"}])";
        const auto save = [&members](const QString &number, const QString &name,
                                     const QString &image, const QString &with = {}) {
            return QStringLiteral(R"({"type":"saveScenario","number":"%1","name":"%2",)"
                                  R"("image":"%3","members":%4})")
                .arg(number, name, image, with.isEmpty() ? members : with);
        };
        dataRow("new", save("", "Film night", "icon_choose_small_4.png"), "");
        dataRow("no name", save("", "", "icon_choose_small_4.png"), "nameEmpty");
        dataRow("a comma", save("", "Film, night", "icon_choose_small_4.png"), "nameUnsendable");
        dataRow("no member", save("", "Film night", "icon_choose_small_4.png", "[]"), "noMembers");
        dataRow("a picture of the bridge's files", save("", "Film night", "../web-access.json"),
                "badPicture");
        dataRow("a stopping curtain",
                save("", "Film night", "icon_choose_small_4.png",
                     R"([{"id":"213100007890","state":"STOP"}])"),
                "badMember");
        dataRow("a dimmer without its level",
                save("", "Film night", "icon_choose_small_4.png",
                     R"([{"id":"212200004560","state":"ON"}])"),
                "badMember");
        dataRow("no such channel",
                save("", "Film night", "icon_choose_small_4.png",
                     R"([{"id":"211300001231","state":"ON"},{"id":"219999999999","state":"ON"}])"),
                "badMember");
        dataRow("a channel twice",
                save("", "Film night", "icon_choose_small_4.png",
                     R"([{"id":"211300001231","state":"ON"},{"id":"211300001231","state":"OFF"}])"),
                "badMember");
        dataRow("a built-in changed", save("-1", "Film night", "icon_choose_small_4.png"),
                "noScenario");
        dataRow("no such scenario", save("7", "Film night", "icon_choose_small_4.png"),
                "noScenario");
    }
    void scenariosFromAPage()
    {
        QFETCH(QString, request);
        QFETCH(QString, refusal);
        QSignalSpy datagrams(simulator.get(), &TransmitterServer::datagramAnswered);
        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner));
        QTRY_VERIFY(owner.heardOf("home"));
        owner.socket->sendTextMessage(request);
        const auto stored = [] {
            for (const QVariantMap &scenario : Database::instance()->readAllScenarioInfo())
                if (scenario.value(Key::title) == "Film night")
                    return std::optional(scenario);
            return std::optional<QVariantMap>();
        };
        if (!refusal.isEmpty()) {
            QTRY_VERIFY(owner.heardOf("error", "code", refusal));
            QCOMPARE(datagrams.size(), 0); // not a channel driven
            QVERIFY(!stored());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(stored(), 10000);
        QCOMPARE(stored()->value(Key::imagePath).toString(),
                 QStringLiteral("icon_choose_small_4.png"));
        const QVariantList members = RecordFactory::sceneDevices(*stored());
        QCOMPARE(members.size(), 3);
        QCOMPARE(members.at(1).toMap().value(Key::turnOn).toString(), QStringLiteral("35"));
        QTRY_VERIFY(
            std::any_of(owner.heard->cbegin(), owner.heard->cend(), [](const QJsonObject &m) {
                return m.value("type") == "home" &&
                       QJsonDocument(m).toJson().contains("Film night");
            }));
    }

    // The commands a scenario saved from the owner's page sends, as the
    // home received them (runs of one operation, "4" driving a channel,
    // "13" joining it, "scename" naming): the app's, the page having driven
    // each channel as it was chosen. A changed name or picture alone is one
    // naming command; a member in another state joins again alone; every
    // channel the home can hold joins one at a time, never past the queue,
    // and is stored whole; when the home takes no member, nothing is stored
    // and the photo sent for it is removed.
    void aPagesScenarioSendsWhatTheAppSends_data()
    {
        QTest::addColumn<QString>("edited");  // the shown scenario changed; empty: a new one
        QTest::addColumn<QString>("members"); // empty: every channel of the fullest home
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("kept"); // members stored; -1: nothing stored
        const QStringList switches{"211300001230", "211300001231", "211300001232"};
        dataRow("a new name and picture", "Evening",
                R"([{"id":"212200004560","brightness":60},{"id":"211300001230","state":"ON"},)"
                R"({"id":"213100007890","state":"CLOSE"}])",
                "", QStringList{"scename x1"}, 3);
        dataRow("a member in another state", "Evening",
                R"([{"id":"212200004560","brightness":30},{"id":"211300001230","state":"ON"},)"
                R"({"id":"213100007890","state":"CLOSE"}])",
                "", QStringList{"13 x1", "scename x1"}, 3);
        dataRow("every channel the home can hold", "", "", "", QStringList{"13 x64", "scename x1"},
                64);
        dataRow("no member taken by the home", "",
                R"([{"id":"211300001230","state":"ON"},{"id":"211300001231","state":"ON"},)"
                R"({"id":"211300001232","state":"ON"}])",
                "lig:13:*=code:1", QStringList{"13 x3", "scename x1"}, -1);
    }
    void aPagesScenarioSendsWhatTheAppSends()
    {
        QFETCH(QString, edited);
        QFETCH(QString, members);
        QFETCH(QString, fault);
        QFETCH(QStringList, sent);
        QFETCH(int, kept);
        SimulatedHome &home = simulator->home();
        if (members.isEmpty()) {
            QStringList chosen;
            for (int i = 1; home.channels().size() < home.maxChannels(); ++i)
                home.addChannel({QStringLiteral("21110%1").arg(i, 6, 10, QChar('0')) + '0',
                                 QStringLiteral("Lamp %1").arg(i),
                                 home.master()->id,
                                 {},
                                 true});
            QVERIFY(ConfigurationImport(program->services())
                        .rebuildStoreFrom(QString::fromUtf8(home.configurationText())));
            for (const SimulatedHome::Channel &channel : home.channels())
                chosen << QStringLiteral(R"({"id":"%1",%2})")
                              .arg(channel.id, channel.kind() == '2'   ? R"("brightness":50)"
                                               : channel.kind() == '3' ? R"("state":"OPEN")"
                                                                       : R"("state":"ON")");
            members = '[' + chosen.join(',') + ']';
        }
        if (!fault.isEmpty())
            simulator->faults().add(*FaultRule::parse(fault, nullptr));
        // What goes out, not its pace, is checked: a full home's 129 steps
        // need not each wait the home's 0.11 s.
        UDPSocketManager::instance()->setFollowUpMilliseconds(5);
        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner));
        QTRY_VERIFY(owner.heardOf("home"));
        const QJsonObject shown = scenarioShown(owner, edited);
        QCOMPARE(shown.isEmpty(), edited.isEmpty());
        const QString photo = server->pendingPictures().add(QImage::fromData(jpegPhoto(320, 240)));
        QStringList received; // runs of one operation, as "OPERATION xCOUNT"
        connect(simulator.get(), &TransmitterServer::datagramAnswered, this,
                [&received](const QByteArray &request) {
                    const QStringList fields = QString::fromUtf8(request)
                                                   .section('$', 1)
                                                   .chopped(2) // the line's ending
                                                   .split(',');
                    if (fields.size() < 4 || fields.at(0) != "cfg")
                        return;
                    const QString step = fields.at(1) == "scename" ? "scename" : fields.at(3);
                    if (!received.isEmpty() && received.last().startsWith(step + " x"))
                        received.last() = QStringLiteral("%1 x%2").arg(step).arg(
                            received.last().section('x', -1).toInt() + 1);
                    else
                        received << step + " x1";
                });
        const QString name = edited.isEmpty() ? "Film night" : "Dusk";
        owner.socket->sendTextMessage(
            QStringLiteral(R"({"type":"saveScenario","number":"%1","name":"%2","image":"%3",)"
                           R"("members":%4,"revision":"%5"})")
                .arg(shown.value("number").toString(), name,
                     edited.isEmpty() ? photo : "icon_choose_small_3.png", members,
                     shown.value("revision").toString()));
        const auto storedMembers = [&name] {
            for (const QVariantMap &scenario : Database::instance()->readAllScenarioInfo())
                if (scenario.value(Key::title) == name)
                    return int(RecordFactory::sceneDevices(scenario).size());
            return -1;
        };
        if (kept < 0)
            QTRY_VERIFY_WITH_TIMEOUT(owner.heardOf("toast", "title", "Setting scenario failed"),
                                     10000);
        QTRY_COMPARE_WITH_TIMEOUT(storedMembers(), kept, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(UDPSocketManager::instance()->isFreeForUser(), 10000);
        QCOMPARE(received, sent);
        QVERIFY(!owner.heardOf("toast", "title", "Your operating too often"));
        if (kept < 0)
            QVERIFY(QDir(Documents::pictureFolderPath()).entryList(QDir::Files).isEmpty());
    }

    // Only the code the app's decoder accepted last is enrolled, under names
    // the home can carry; a refused code is told as the app tells it.
    void enrolmentTakesOnlyWhatWasDecoded()
    {
        QSignalSpy datagrams(simulator.get(), &TransmitterServer::datagramAnswered);
        const OpenPage owner = openPage(pairedToken(WebAccess::Role::Owner));
        QTRY_VERIFY(owner.heardOf("home"));
        const QString enrol = R"({"type":"enrol","id":"%1","names":["%2"]})";
        owner.socket->sendTextMessage(enrol.arg("2112D0007770", "Desk"));
        QTRY_VERIFY(owner.heardOf("error", "code", "notDecoded"));
        owner.socket->sendTextMessage(R"({"type":"decode","code":"1234"})");
        QTRY_VERIFY(owner.heardOf("decodeRefused"));
        QVERIFY(owner.heardOf("toast", "title", "Invalid BarCode"));
        owner.socket->sendTextMessage(R"({"type":"decode","code":"2112d0007770"})");
        QTRY_VERIFY(owner.heardOf("decoded", "id", "2112D0007770"));
        const QJsonObject decoded = messageOf(owner, "decoded");
        QCOMPARE(decoded.value("channels").toArray().size(), 2);
        owner.socket->sendTextMessage(enrol.arg("2112D0007780", "Desk"));
        QTRY_COMPARE(
            std::count_if(owner.heard->cbegin(), owner.heard->cend(),
                          [](const QJsonObject &m) { return m.value("code") == "notDecoded"; }),
            2);
        owner.socket->sendTextMessage(enrol.arg("2112D0007770", "Desk, left"));
        QTRY_VERIFY(owner.heardOf("error", "code", "nameUnsendable"));
        QCOMPARE(datagrams.size(), 0);
        owner.socket->sendTextMessage(enrol.arg("2112D0007770", "Desk"));
        QTRY_VERIFY_WITH_TIMEOUT(owner.heardOf("enrolled", "added", 2), 10000);
        const QString desk =
            decoded.value("channels").toArray().at(0).toObject().value("id").toString();
        QCOMPARE(storedTitle(desk), QStringLiteral("Desk"));
        // Enrolled again: the page is told the stored name, and a name left empty keeps it.
        owner.heard->clear();
        owner.socket->sendTextMessage(R"({"type":"decode","code":"2112d0007770"})");
        QTRY_VERIFY(owner.heardOf("decoded", "id", "2112D0007770"));
        const QJsonObject again = messageOf(owner, "decoded");
        QCOMPARE(again.value("channels").toArray().at(0).toObject().value("name").toString(),
                 QStringLiteral("Desk"));
        owner.socket->sendTextMessage(enrol.arg("2112D0007770", ""));
        QTRY_VERIFY_WITH_TIMEOUT(owner.heardOf("enrolled"), 10000);
        QCOMPARE(storedTitle(desk), QStringLiteral("Desk"));
    }

    // What a page is told of a decoded code, and the default names its
    // channels are enrolled under, are in the page's language.
    void aDecodedCodeIsToldInThePagesLanguage()
    {
        const OpenPage chinese = openPage(pairedToken(WebAccess::Role::Owner), "/?lang=zh-CN");
        QTRY_VERIFY(chinese.heardOf("home"));
        chinese.socket->sendTextMessage(R"({"type":"decode","code":"2112D0007770"})");
        QTRY_VERIFY(chinese.heardOf("decoded"));
        const QJsonObject decoded = messageOf(chinese, "decoded");
        QCOMPARE(decoded.value("summary").toString(),
                 QStringLiteral("型号:ZEVO-2112\n灯光控制器\n路数:2\n线数:2"));
        const QJsonArray channels = decoded.value("channels").toArray();
        QCOMPARE(channels.at(1).toObject().value("defaultName").toString(),
                 QStringLiteral("灯光-D0007771"));
        chinese.socket->sendTextMessage(R"({"type":"enrol","id":"2112D0007770","names":["",""]})");
        QTRY_VERIFY_WITH_TIMEOUT(chinese.heardOf("enrolled", "added", 2), 10000);
        QCOMPARE(storedTitle(channels.at(1).toObject().value("id").toString()),
                 QStringLiteral("灯光-D0007771"));
        // A transmitter's role in the home, as the app's screen names it.
        for (const auto &[code, role] : {std::pair{"20AA10000001", "主无线转发器"},
                                         std::pair{"20AA10000009", "从无线转发器"}}) {
            chinese.heard->clear();
            chinese.socket->sendTextMessage(
                QStringLiteral(R"({"type":"decode","code":"%1"})").arg(code));
            QTRY_VERIFY(chinese.heardOf("decoded"));
            QCOMPARE(messageOf(chinese, "decoded").value("role").toString(),
                     QString::fromUtf8(role));
        }
    }

    // Only an owner's photo may be larger than a page's requests, and only to
    // its own bound: anything else that large is cut off unanswered.
    void onlyAnOwnersPhotoMayBeLarge_data()
    {
        QTest::addColumn<int>("role"); // -1: not paired
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QByteArray>("answer"); // the status line's code, or "" for cut off
        const int owner = int(WebAccess::Role::Owner), family = int(WebAccess::Role::Family);
        dataRow("the owner's photo", owner, QByteArray("/photo"), qint64(1 << 20),
                QByteArray("422"));
        dataRow("a family member's", family, QByteArray("/photo"), qint64(1 << 20), QByteArray());
        dataRow("a stranger's", -1, QByteArray("/photo"), qint64(1 << 20), QByteArray());
        dataRow("the owner's, elsewhere", owner, QByteArray("/photos"), qint64(1 << 20),
                QByteArray());
        dataRow("a family member's small one", family, QByteArray("/photo"), qint64(100),
                QByteArray("403"));
        dataRow("the owner's scenario picture", owner, QByteArray("/picture"), qint64(1 << 20),
                QByteArray("422"));
        dataRow("a family member's scenario picture", family, QByteArray("/picture"),
                qint64(1 << 20), QByteArray());
    }
    void onlyAnOwnersPhotoMayBeLarge()
    {
        QFETCH(int, role);
        QFETCH(QByteArray, path);
        QFETCH(qint64, bytes);
        QFETCH(QByteArray, answer);
        const QString token =
            role < 0 ? QStringLiteral("nobody") : pairedToken(WebAccess::Role(role));
        QTcpSocket sender;
        sender.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(sender.waitForConnected(5000));
        sender.write("POST " + path +
                     " HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: ardentia_token=" + token.toLatin1() +
                     "\r\nContent-Length: " + QByteArray::number(bytes) + "\r\n\r\n");
        const QByteArray chunk(64 * 1024, 'x');
        for (qint64 sent = 0; sent < bytes && sender.state() == QAbstractSocket::ConnectedState;
             sent += chunk.size()) {
            sender.write(chunk.left(int(qMin<qint64>(chunk.size(), bytes - sent))));
            // The server is in this process: its loop must run to take the bytes in.
            QTRY_VERIFY_WITH_TIMEOUT(sender.bytesToWrite() == 0 ||
                                         sender.state() != QAbstractSocket::ConnectedState,
                                     5000);
        }
        QByteArray heard;
        QTRY_VERIFY_WITH_TIMEOUT((heard += sender.readAll()).contains("\r\n\r\n") ||
                                     sender.state() == QAbstractSocket::UnconnectedState,
                                 10000);
        if (answer.isEmpty())
            QVERIFY2(!heard.startsWith("HTTP/1.1 2") && !heard.contains("422"), heard.constData());
        else
            QVERIFY2(heard.startsWith(QByteArray(QByteArray("HTTP/1.1 ") + answer)),
                     heard.constData());
    }

    // An owner's upload the server cannot take is answered from its head,
    // in full and before its body has come: when other uploads hold the
    // allowance (they are read and answered on), and when it declares more
    // than 8 MB. Its body is read and thrown away up to its declared length
    // or the allowance, whichever is smaller; then the connection closes.
    void largeUploadsRefusedFromTheirHeadAreAnswered_data()
    {
        QTest::addColumn<int>("othersUploading");
        QTest::addColumn<qint64>("declared");
        QTest::addColumn<qint64>("thrownAway");
        QTest::addColumn<QByteArray>("statusLine");
        QTest::addColumn<QByteArray>("error");
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<bool>("headByteByByte");
        dataRow("a third large upload at once", ConnectionByteLimit::kMaxAllowancesAtOnce,
                qint64(1 << 20), qint64(1 << 20), QByteArray("HTTP/1.1 503 Service Unavailable"),
                QByteArray("uploadBusy"), QByteArray("\r\n"), false);
        dataRow("more than 8 MB declared", 0, qint64(100) * 1024 * 1024, UploadedImage::kMaxBytes,
                QByteArray("HTTP/1.1 413 Payload Too Large"), QByteArray("tooLarge"),
                QByteArray("\r\n"), false);
        dataRow("more than 8 MB declared, lines ending in LF alone", 0, qint64(9) * 1024 * 1024,
                UploadedImage::kMaxBytes, QByteArray("HTTP/1.1 413 Payload Too Large"),
                QByteArray("tooLarge"), QByteArray("\n"), false);
        // Its end then comes split at every place it can be.
        dataRow("more than 8 MB declared, its head a byte at a time", 0, qint64(9) * 1024 * 1024,
                UploadedImage::kMaxBytes, QByteArray("HTTP/1.1 413 Payload Too Large"),
                QByteArray("tooLarge"), QByteArray("\r\n"), true);
        dataRow("more than 8 MB declared, its head a byte at a time, lines ending in LF", 0,
                qint64(9) * 1024 * 1024, UploadedImage::kMaxBytes,
                QByteArray("HTTP/1.1 413 Payload Too Large"), QByteArray("tooLarge"),
                QByteArray("\n"), true);
    }
    void largeUploadsRefusedFromTheirHeadAreAnswered()
    {
        QFETCH(int, othersUploading);
        QFETCH(qint64, declared);
        QFETCH(qint64, thrownAway);
        QFETCH(QByteArray, statusLine);
        QFETCH(QByteArray, error);
        QFETCH(QByteArray, lineEnd);
        QFETCH(bool, headByteByByte);
        const QString token = pairedToken(WebAccess::Role::Owner);
        const auto head = [&](qint64 bytes) -> QByteArray {
            return "POST /photo HTTP/1.1" + lineEnd + "Host: 127.0.0.1" + lineEnd +
                   "Cookie: ardentia_token=" + token.toLatin1() + lineEnd +
                   "Content-Length: " + QByteArray::number(bytes) + lineEnd + lineEnd;
        };
        const QByteArray part((256 << 10), 'x');
        const qint64 othersBytes = 1 << 20;
        std::vector<std::unique_ptr<QTcpSocket>> others;
        for (int i = 0; i < othersUploading; ++i) {
            others.push_back(std::make_unique<QTcpSocket>());
            others.back()->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(others.back()->waitForConnected(5000));
            others.back()->write(head(othersBytes) + part);
            QTRY_VERIFY(others.back()->bytesToWrite() == 0);
        }
        for (int turn = 0; turn < 5; ++turn) // the server takes their heads in
            QCoreApplication::processEvents();

        QTcpSocket refused;
        refused.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(refused.waitForConnected(5000));
        if (headByteByByte) {
            refused.setSocketOption(QAbstractSocket::LowDelayOption, 1);
            for (const char byte : head(declared)) {
                refused.write(&byte, 1);
                refused.flush();
                QCoreApplication::processEvents(); // the server takes each byte in alone
            }
            refused.write(part);
        } else {
            refused.write(head(declared) + part);
        }
        QByteArray heard;
        QTRY_VERIFY_WITH_TIMEOUT((heard += refused.readAll()).contains("\r\n\r\n"), 5000);
        const qsizetype headEnd = heard.indexOf("\r\n\r\n") + 4;
        QTRY_VERIFY(heard.size() > headEnd && (heard += refused.readAll()).endsWith("}"));
        QVERIFY2(heard.startsWith(QByteArray(statusLine + "\r\n")), heard.constData());
        for (const QByteArray &header :
             {QByteArray("\r\nContent-Security-Policy: default-src 'self'"),
              QByteArray("\r\nX-Content-Type-Options: nosniff"),
              QByteArray("\r\nConnection: close"), QByteArray("\r\nCache-Control: no-store")})
            QVERIFY2(heard.contains(header), header.constData());
        const QByteArray body = heard.mid(headEnd);
        QCOMPARE(heard.mid(heard.indexOf("Content-Length: ") + 16).split('\r').constFirst(),
                 QByteArray::number(body.size()));
        QCOMPARE(QJsonDocument::fromJson(body).object().value("error").toString(),
                 QString::fromLatin1(error));
        QVERIFY(WebPageTexts::texts("zh_CN").contains(QLatin1String(error))); // the page says why

        // The body is read on, and thrown away, up to its end: only then the connection closes.
        const QByteArray rest(64 << 10, 'x');
        qint64 sent = part.size();
        for (; sent + rest.size() < thrownAway; sent += rest.size()) {
            refused.write(rest);
            QTRY_VERIFY_WITH_TIMEOUT(refused.bytesToWrite() == 0, 5000);
            QCOMPARE(refused.state(), QAbstractSocket::ConnectedState);
        }
        refused.write(rest.left(int(thrownAway - sent)));
        QTRY_COMPARE_WITH_TIMEOUT(refused.state(), QAbstractSocket::UnconnectedState, 5000);
        QCOMPARE(refused.readAll(), QByteArray()); // and nothing else was said

        // The others are read whole and answered.
        for (const auto &other : others) {
            other->write(QByteArray(othersBytes - part.size(), 'x'));
            QByteArray answer;
            QTRY_VERIFY_WITH_TIMEOUT((answer += other->readAll()).contains("\r\n\r\n"), 10000);
            QVERIFY2(answer.startsWith("HTTP/1.1 422"), answer.constData());
        }
    }

    // The head of any request must come within the header deadline; an
    // owner's upload body may then take longer, so long as its bytes keep
    // coming and the whole stays within the upload's bound.
    void slowRequestsAndUploads_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("role");
        QTest::addColumn<qint64>("bodyBytes");
        QTest::addColumn<qint64>("sentBytes"); // of the whole request; the rest never comes
        QTest::addColumn<qint64>("pieceBytes");
        QTest::addColumn<int>("everyMs");
        QTest::addColumn<int>("uploadIdleMs");
        QTest::addColumn<int>("uploadMs");
        QTest::addColumn<QByteArray>("answer"); // the status line's code, or "" for cut off
        const int owner = int(WebAccess::Role::Owner), family = int(WebAccess::Role::Family);
        const qint64 whole = std::numeric_limits<qint64>::max();
        // The header deadline is kSlowHeaderMs in every row.
        dataRow("an 8 MB photo sent slower than the header deadline", QByteArray("/picture"), owner,
                UploadedImage::kMaxBytes, whole, qint64(256 << 10), 50, 1000, 30000,
                QByteArray("200"));
        dataRow("an upload that stalls", QByteArray("/picture"), owner, UploadedImage::kMaxBytes,
                qint64(1 << 20), qint64(64 << 10), 50, 500, 30000, QByteArray());
        dataRow("an upload longer than its bound", QByteArray("/picture"), owner,
                UploadedImage::kMaxBytes, whole, qint64(64 << 10), 50, 1000, 1500, QByteArray());
        dataRow("an owner's upload head sent byte by byte", QByteArray("/picture"), owner,
                qint64(100), whole, qint64(1), 20, 1000, 30000, QByteArray());
        dataRow("a small body sent slowly", QByteArray("/photo"), family, qint64(1000), whole,
                qint64(50), 50, 1000, 30000, QByteArray());
    }
    void slowRequestsAndUploads()
    {
        QFETCH(QByteArray, path);
        QFETCH(int, role);
        QFETCH(qint64, bodyBytes);
        QFETCH(qint64, sentBytes);
        QFETCH(qint64, pieceBytes);
        QFETCH(int, everyMs);
        QFETCH(int, uploadIdleMs);
        QFETCH(int, uploadMs);
        QFETCH(QByteArray, answer);
        constexpr int kSlowHeaderMs = 500;
        server->setConnectionLimits({ConnectionLimits::kDefaultMaxConnections, kSlowHeaderMs, 60000,
                                     uploadIdleMs, uploadMs});
        // A JPEG, padded to the size given: its decoder stops at the image's end.
        QByteArray body = jpegPhoto(64, 48);
        body.append(QByteArray(bodyBytes - body.size(), '\0'));
        const QByteArray request =
            "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: ardentia_token=" +
            pairedToken(WebAccess::Role(role)).toLatin1() +
            "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;

        QElapsedTimer clock;
        clock.start();
        SlowSender sender(port, request, pieceBytes, everyMs);
        sender.stopAfter(sentBytes);
        if (answer.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(sender.closed(), 10000);
            // One that stalls is cut once it stalled; any other while it was still sending.
            QCOMPARE(sender.done(), sentBytes < std::numeric_limits<qint64>::max());
            QCOMPARE(sender.heard(), QByteArray());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(sender.heard().contains("\r\n\r\n"), 20000);
        QVERIFY2(sender.heard().startsWith(QByteArray("HTTP/1.1 " + answer)),
                 sender.heard().constData());
        QVERIFY(sender.done());
        QVERIFY2(clock.elapsed() > 2 * kSlowHeaderMs, qPrintable(QString::number(clock.elapsed())));
    }

    // A photo sent for a scenario is held, not stored, until the home has the
    // scenario; then it is a file in the picture folder, shown to paired
    // pages by its name alone.
    void aSentPhotoBecomesTheScenariosPicture()
    {
        const QString ownerToken = pairedToken(WebAccess::Role::Owner);
        const auto post = [&](const QString &token, const QByteArray &body) {
            QNetworkRequest request(QUrl(base() + "/picture"));
            request.setHeader(QNetworkRequest::ContentTypeHeader, "application/octet-stream");
            request.setRawHeader("Cookie", "ardentia_token=" + token.toLatin1());
            QNetworkReply *reply = network.post(request, body);
            QSignalSpy finished(reply, &QNetworkReply::finished);
            finished.wait(5000);
            reply->deleteLater();
            return Answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                          reply->readAll(), reply};
        };
        const QByteArray jpeg = jpegPhoto(1200, 900);
        QVERIFY(!jpeg.isEmpty());

        QCOMPARE(post(pairedToken(), jpeg).status, 403);
        const Answer notAnImage = post(ownerToken, "GIF89a not a photo");
        QCOMPARE(notAnImage.status, 422);
        QVERIFY(notAnImage.body.contains("notAnImage"));
        const Answer held = post(ownerToken, jpeg);
        QCOMPARE(held.status, 200);
        const QString upload =
            QJsonDocument::fromJson(held.body).object().value("picture").toString();
        QVERIFY(!upload.isEmpty());
        const QDir folder(Documents::pictureFolderPath());
        QVERIFY(folder.entryList(QDir::Files).isEmpty());

        const OpenPage owner = openPage(ownerToken);
        QTRY_VERIFY(owner.heardOf("home"));
        const QString save = R"({"type":"saveScenario","number":"","name":"Film night",)"
                             R"("image":"%1","members":[{"id":"211300001231","state":"OFF"}]})";
        owner.socket->sendTextMessage(save.arg("upload-0000"));
        QTRY_VERIFY(owner.heardOf("error", "code", "badPicture"));
        // The master refuses the only member: nothing stored, the photo's file swept.
        simulator->faults().add(*FaultRule::parse("lig:13:211300001231=code:1", nullptr));
        owner.socket->sendTextMessage(save.arg(upload));
        QTRY_VERIFY_WITH_TIMEOUT(owner.heardOf("toast", "title", "Setting scenario failed"), 10000);
        QTRY_VERIFY(folder.entryList(QDir::Files).isEmpty());
        simulator->faults() = FaultPlan();
        // A new scenario waits until the refused one's steps are over (else "busy").
        QTRY_VERIFY(UDPSocketManager::instance()->isFreeForUser());
        const QString again = QJsonDocument::fromJson(post(ownerToken, jpeg).body)
                                  .object()
                                  .value("picture")
                                  .toString();
        owner.socket->sendTextMessage(save.arg(again));
        QString imagePath;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QVariantMap &scenario : Database::instance()->readAllScenarioInfo())
                    if (scenario.value(Key::title) == "Film night")
                        imagePath = scenario.value(Key::imagePath).toString();
                return !imagePath.isEmpty();
            }(),
            10000);
        const QFileInfo stored(imagePath);
        QCOMPARE(stored.absolutePath(), folder.absolutePath());
        const QImage kept(imagePath);
        QCOMPARE(kept.size(), QSize(PendingPictures::kSide, PendingPictures::kSide * 3 / 4));
        QTRY_VERIFY(
            std::any_of(owner.heard->cbegin(), owner.heard->cend(), [&](const QJsonObject &m) {
                return m.value("type") == "home" && QJsonDocument(m).toJson().contains(QByteArray(
                                                        "\"" + stored.fileName().toUtf8() + "\""));
            }));

        const Answer shown = get("/picture/" + stored.fileName(), pairedToken());
        QCOMPARE(shown.status, 200);
        QCOMPARE(shown.reply->header(QNetworkRequest::ContentTypeHeader).toString(),
                 QStringLiteral("image/png"));
        QVERIFY(shown.reply->rawHeader("Cache-Control").contains("private"));
        QCOMPARE(get("/picture/" + stored.fileName()).status, 401);
        QCOMPARE(get("/picture/..%2Fweb-access.json", pairedToken()).status, 404);
        QCOMPARE(get("/picture/2026_01_01_00_00_00_000.png", pairedToken()).status, 404);
    }
};

ARDENTIA_TEST_MAIN(TestWebRemote)
#include "tst_webremote.moc"

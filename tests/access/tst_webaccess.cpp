// SPDX-License-Identifier: GPL-3.0-or-later
#include "access/webaccess.h"
#include "base/printabletext.h"
#include "datarow.h"
#include "terminalqr.h"
#include "testmain.h"
#include "webpairing.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <ZXing/ReadBarcode.h>

#include <cstdlib>
#include <vector>

namespace {
const char *const kChangerFile = "ARDENTIA_TEST_ACCESS_CHANGER";
constexpr int kChangerRounds = 120;

// Run as a child process: pairs kChangerRounds devices on the file in the
// environment, as fast as it can, and revokes every other one again. It
// prints "kept TOKEN" and "revoked TOKEN" lines.
void changeTheFileWhenAsked()
{
    const QString path = qEnvironmentVariable(kChangerFile);
    if (path.isEmpty())
        return;
    WebAccess access(path);
    QTextStream out(stdout);
    for (int round = 0; round < kChangerRounds; ++round) {
        const std::optional<QString> code = access.newPairingCode();
        const std::optional<QString> token = code ? access.pair(*code, "phone") : std::nullopt;
        if (!token) {
            out << "failed\n";
            continue;
        }
        const bool revoke = round % 2 == 1 && access.revoke(WebAccess::hashOf(*token).left(12));
        out << (revoke ? "revoked " : "kept ") << *token << '\n';
    }
    out.flush();
    QDir(qEnvironmentVariable("XDG_DATA_HOME")).removeRecursively(); // its own, made for it
    std::exit(0);
}
} // namespace

// Pairing codes and device tokens, and the QR code the pairing link is shown as.
class TestWebAccess : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath("web-access.json"); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    // What a code can be exchanged for, and when.
    void codesWorkOnceWithinFiveMinutes_data()
    {
        QTest::addColumn<int>("afterSeconds");
        QTest::addColumn<bool>("usedBefore");
        QTest::addColumn<bool>("paired");
        dataRow("at once", 0, false, true);
        dataRow("just in time", 299, false, true);
        dataRow("expired", 300, false, false);
        dataRow("used already", 10, true, false);
    }
    void codesWorkOnceWithinFiveMinutes()
    {
        QFETCH(int, afterSeconds);
        QFETCH(bool, usedBefore);
        QFETCH(bool, paired);
        WebAccess access(path());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const std::optional<QString> code = access.newPairingCode(now);
        QVERIFY(code);
        if (usedBefore)
            QVERIFY(access.pair(*code, "first phone", now));
        const std::optional<QString> token =
            access.pair(code->toLower(), "phone", now.addSecs(afterSeconds));
        QCOMPARE(bool(token), paired);
        if (token)
            QVERIFY(access.isValidToken(*token));
    }

    void theFileHoldsNoSecretAndRevokingEndsAccess()
    {
        WebAccess access(path());
        const QString code = *access.newPairingCode();
        const QString token = *access.pair(code, "kitchen tablet");
        const QString other = *access.pair(*access.newPairingCode(), "phone");
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray stored = file.readAll();
        QVERIFY(!stored.contains(token.toUtf8()) && !stored.contains(code.toUtf8()));
        QCOMPARE(file.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());
        QCOMPARE(access.tokens().size(), 2);
        QCOMPARE(access.tokens().constFirst().name, QStringLiteral("kitchen tablet"));
        QVERIFY(access.revoke(access.tokens().constFirst().id));
        QVERIFY(!access.isValidToken(token));
        QVERIFY(access.isValidToken(other));
        QVERIFY(!access.revoke("nonsense"));
        QVERIFY(!access.isValidToken(""));
    }

    // No more than a handful of codes wait at once, in each asker's pool: the
    // broker's full leaves the owner's room, the owner's full the broker's;
    // the broker never gets an owner's code.
    void liveCodesAreCapped_data()
    {
        QTest::addColumn<int>("filler"); // the asker whose pool is filled first
        QTest::addColumn<int>("other");
        dataRow("the broker's pool full", int(WebAccess::Asker::Broker),
                int(WebAccess::Asker::Owner));
        dataRow("the owner's pool full", int(WebAccess::Asker::Owner),
                int(WebAccess::Asker::Broker));
    }
    void liveCodesAreCapped()
    {
        QFETCH(int, filler);
        QFETCH(int, other);
        WebAccess access(path());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const auto ask = [&](int asker, WebAccess::Role role = WebAccess::Role::Family,
                             QString *error = nullptr) {
            return access.newPairingCode(now, error, role, WebAccess::Asker(asker));
        };
        const int pool = filler == int(WebAccess::Asker::Broker) ? WebAccess::kMaxBrokerCodes
                                                                 : WebAccess::kMaxLiveCodes;
        for (int i = 0; i < pool; ++i)
            QVERIFY(ask(filler));
        QString error;
        QVERIFY(!ask(filler, WebAccess::Role::Family, &error));
        QVERIFY2(error.contains("waiting"), qPrintable(error));
        QVERIFY(ask(other));
        QVERIFY(!ask(int(WebAccess::Asker::Broker), WebAccess::Role::Owner, &error));
        QVERIFY(ask(int(WebAccess::Asker::Owner), WebAccess::Role::Owner) ||
                filler == int(WebAccess::Asker::Owner));
        // One used, or all expired: room again.
        const QDateTime later = now.addSecs(WebAccess::kCodeLifetimeSeconds);
        QVERIFY(access.pair(*access.newPairingCode(later, nullptr, WebAccess::Role::Family,
                                                   WebAccess::Asker(filler)),
                            "phone", later));
    }

    // A device's name comes from its browser: stored, listed and logged
    // without the escapes, bells and line breaks a hostile one may carry; a
    // name stored raw before is listed cleaned.
    void namesArePrintable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("printed");
        dataRow("plain", "Mozilla/5.0 (iPhone)", "Mozilla/5.0 (iPhone)");
        dataRow("Chinese", "小米手机", "小米手机");
        dataRow("clear screen, title, bell",
                "a\x1b[2J\x1b]0;owned\x07"
                "b",
                "a\uFFFD[2J\uFFFD]0;owned\uFFFDb");
        dataRow("a forged line", "a\r\nb\tc", "a  b c");
        dataRow("C1 and DEL", "a\u009b31m\u007f", "a\uFFFD31m\uFFFD");
        dataRow("turned around", "a\u202Egnp.exe\u2066", "a\uFFFDgnp.exe\uFFFD");
    }
    void namesArePrintable()
    {
        QFETCH(QString, name);
        QFETCH(QString, printed);
        QCOMPARE(printableText(name), printed);
        WebAccess access(WebAccess::defaultPath());
        QFile::remove(access.path());
        QVERIFY(access.pair(*access.newPairingCode(), name));
        QCOMPARE(access.tokens().constFirst().name, printed);
        // Written raw by an older bridge: listed cleaned all the same.
        QFile file(access.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QJsonObject all = QJsonDocument::fromJson(file.readAll()).object();
        file.close();
        QJsonArray tokens = all.value("tokens").toArray();
        QJsonObject token = tokens.at(0).toObject();
        token.insert("name", name);
        tokens.replace(0, token);
        all.insert("tokens", tokens);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(all).toJson());
        file.close();
        QCOMPARE(access.tokens().constFirst().name, name);
        const QString listed = WebPairing::listTokens().text;
        QVERIFY2(listed.contains(printed), qPrintable(listed));
        QCOMPARE(listed.count('\n'), 1);
    }

    // A device has the role its link was made for; a change of role counts
    // at once; a token stored before there were roles, or with a role the
    // file does not name plainly, is a family member's.
    void rolesComeFromTheLinkAndTheFile_data()
    {
        QTest::addColumn<QByteArray>("storedRole"); // the token's "role" in the file, "-": none
        QTest::addColumn<int>("expected");
        dataRow("owner", QByteArray("\"owner\""), int(WebAccess::Role::Owner));
        dataRow("family", QByteArray("\"family\""), int(WebAccess::Role::Family));
        dataRow("paired before roles", QByteArray("-"), int(WebAccess::Role::Family));
        dataRow("unknown word", QByteArray("\"admin\""), int(WebAccess::Role::Family));
        dataRow("capitalised", QByteArray("\"Owner\""), int(WebAccess::Role::Family));
        dataRow("not text", QByteArray("true"), int(WebAccess::Role::Family));
    }
    void rolesComeFromTheLinkAndTheFile()
    {
        QFETCH(QByteArray, storedRole);
        QFETCH(int, expected);
        const QString token = "an-old-token";
        QJsonObject entry{{"id", "abc"},
                          {"hash", WebAccess::hashOf(token)},
                          {"name", "phone"},
                          {"created", "2026-01-01T00:00:00Z"}};
        if (storedRole != "-")
            entry.insert("role", QJsonDocument::fromJson("[" + storedRole + "]").array().at(0));
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            QJsonDocument(QJsonObject{{"codes", QJsonArray()}, {"tokens", QJsonArray{entry}}})
                .toJson());
        file.close();
        WebAccess access(path());
        QCOMPARE(int(*access.roleOf(token)), expected);
        QCOMPARE(int(access.tokens().constFirst().role), expected);
        QVERIFY(access.setRole("abc", WebAccess::Role::Owner));
        QCOMPARE(access.roleOf(token), WebAccess::Role::Owner);
        QVERIFY(access.setRole("abc", WebAccess::Role::Family));
        QCOMPARE(access.roleOf(token), WebAccess::Role::Family);
        QVERIFY(!access.setRole("nobody", WebAccess::Role::Owner));
        QVERIFY(!access.roleOf("another token"));

        // A link pairs with its own role, whatever else waits.
        const QString familyCode = *access.newPairingCode();
        const QString ownerCode = *access.newPairingCode(QDateTime::currentDateTimeUtc(), nullptr,
                                                         WebAccess::Role::Owner);
        QCOMPARE(access.roleOf(*access.pair(ownerCode, "owner's phone")), WebAccess::Role::Owner);
        QCOMPARE(access.roleOf(*access.pair(familyCode, "child's phone")), WebAccess::Role::Family);
    }

    // Two programs pairing and revoking on the same file at once: every
    // change of each stays, none is undone by the other's.
    void changesFromTwoProcessesAreNeverLost()
    {
        QList<QProcess *> changers;
        for (int i = 0; i < 2; ++i) {
            auto *changer = new QProcess(this);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(kChangerFile, path());
            changer->setProcessEnvironment(environment);
            changer->start(QCoreApplication::applicationFilePath(), {});
            changers.append(changer);
        }
        QStringList kept, revoked;
        for (QProcess *changer : changers) {
            QVERIFY(changer->waitForFinished(60000));
            for (const QString &line : QString::fromLatin1(changer->readAllStandardOutput())
                                           .split('\n', Qt::SkipEmptyParts)) {
                QVERIFY2(line != "failed", "a pairing failed");
                (line.startsWith("kept ") ? kept : revoked) << line.section(' ', 1);
            }
            delete changer;
        }
        QCOMPARE(kept.size() + revoked.size(), 2 * kChangerRounds);
        WebAccess access(path());
        const auto valid = [&access](const QStringList &tokens) {
            return std::count_if(tokens.cbegin(), tokens.cend(),
                                 [&access](const QString &t) { return access.isValidToken(t); });
        };
        QCOMPARE(valid(kept), kept.size());
        QCOMPARE(valid(revoked), 0);
        QCOMPARE(access.tokens().size(), kept.size());
    }

    // The terminal's QR code, read back the way a phone's camera would.
    void theTerminalCodeReadsBack()
    {
        const QString link = "http://192.168.1.5:8080/pair?code=AB3CD4EF5G";
        const QStringList lines = terminalQrCode(link).split('\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        std::vector<uint8_t> pixels;
        int width = 0;
        for (const QString &line : lines) {
            // Between the colour codes: one character, two rows of modules.
            const QString cells = line.section('m', 1).section(QChar(0x1b), 0, 0);
            width = int(cells.size());
            for (const bool top : {true, false})
                for (const QChar cell : cells) {
                    const bool dark = cell == QChar(0x2588) ||
                                      (top ? cell == QChar(0x2580) : cell == QChar(0x2584));
                    pixels.push_back(dark ? 0 : 255);
                }
        }
        // Four pixels a module, as a camera sees it.
        const int height = int(pixels.size()) / width;
        std::vector<uint8_t> scaled(size_t(width * 4) * size_t(height * 4));
        for (int y = 0; y < height * 4; ++y)
            for (int x = 0; x < width * 4; ++x)
                scaled[size_t(y * width * 4 + x)] = pixels[size_t((y / 4) * width + x / 4)];
        const ZXing::Result read = ZXing::ReadBarcode(
            ZXing::ImageView(scaled.data(), width * 4, height * 4, ZXing::ImageFormat::Lum));
        QVERIFY(read.isValid());
        QCOMPARE(QString::fromStdWString(read.text()), link);
    }
};

ARDENTIA_TEST_MAIN_WITH(QCoreApplication, TestWebAccess, changeTheFileWhenAsked)
#include "tst_webaccess.moc"

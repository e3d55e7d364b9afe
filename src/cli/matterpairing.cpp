// SPDX-License-Identifier: GPL-3.0-or-later
#include "matterpairing.h"

#include "terminalqr.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

namespace {
constexpr int kConnectMilliseconds = 3000;
constexpr int kAnswerMilliseconds = 10000;
} // namespace

MatterPairing::Answer MatterPairing::ask(const QJsonObject &request) const
{
    const QString path = QDir(m_folder).filePath(QStringLiteral("control"));
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kConnectMilliseconds)) {
        const QString why = socket.error() == QLocalSocket::SocketAccessError
                                ? QStringLiteral("not allowed: run this as root or as its user")
                                : QStringLiteral("is it running, with --matter its data folder?");
        return {
            false, {}, QStringLiteral("ardentia-matter does not answer on %1: %2").arg(path, why)};
    }
    socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    QByteArray reply;
    while (!reply.contains('\n') && socket.waitForReadyRead(kAnswerMilliseconds))
        reply += socket.readAll();
    const QJsonObject answer = QJsonDocument::fromJson(reply.trimmed()).object();
    if (answer.value(QLatin1String("status")).toString() == QLatin1String("ok"))
        return {true, answer.value(QLatin1String("data")), {}};
    const QString error = answer.value(QLatin1String("error")).toString();
    return {false, {}, error.isEmpty() ? QStringLiteral("ardentia-matter gave no answer") : error};
}

MatterPairing::Outcome MatterPairing::pair() const
{
    const Answer answer = ask({{QStringLiteral("request"), QStringLiteral("pair")}});
    if (!answer.ok)
        return {false, answer.error};
    const QJsonObject codes = answer.data.toObject();
    const QString manual = codes.value(QLatin1String("manualCode")).toString();
    const QString qr = codes.value(QLatin1String("qrCode")).toString();
    const QString manualShown =
        manual.size() == 11
            ? QStringLiteral("%1-%2-%3").arg(manual.left(4), manual.mid(4, 3), manual.mid(7))
            : manual;
    return {true, QStringLiteral("Pairing is open for %1 minutes. In the home app, add a Matter "
                                 "device and scan this code, or type the setup code %2.\n%3\n\n%4")
                      .arg(codes.value(QLatin1String("expiresIn")).toInt() / 60)
                      .arg(manualShown, qr, terminalQrCode(qr))};
}

MatterPairing::Outcome MatterPairing::listControllers() const
{
    const Answer answer = ask({{QStringLiteral("request"), QStringLiteral("fabrics")}});
    if (!answer.ok)
        return {false, answer.error};
    const QJsonArray fabrics = answer.data.toArray();
    if (fabrics.isEmpty())
        return {true, QStringLiteral("No controller is paired.")};
    QString text = QStringLiteral("Paired controllers (%1):").arg(fabrics.size());
    for (const QJsonValue &value : fabrics) {
        const QJsonObject fabric = value.toObject();
        const QString label = fabric.value(QLatin1String("label")).toString();
        text += QStringLiteral("\n  %1  %2  vendor 0x%3")
                    .arg(fabric.value(QLatin1String("id")).toInt())
                    .arg(label.isEmpty() ? QStringLiteral("(no name)") : label)
                    .arg(fabric.value(QLatin1String("vendorId")).toInt(), 4, 16, QLatin1Char('0'));
    }
    return {true, text};
}

MatterPairing::Outcome MatterPairing::removeController(const QString &id) const
{
    bool number = false;
    const int index = id.toInt(&number);
    if (!number || index < 1)
        return {false, QStringLiteral("a controller is named by its number (matter-fabrics)")};
    const Answer answer =
        ask({{QStringLiteral("request"), QStringLiteral("remove")}, {QStringLiteral("id"), index}});
    if (!answer.ok)
        return {false, answer.error};
    return {true, QStringLiteral("Controller %1 removed.").arg(index)};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "codedecoder.h"

#include "appdelegate.h"
#include "flowcaller.h"
#include "unitid.h"

std::optional<CodeDecoder::Decoded> CodeDecoder::getNeedString(const QString &text)
{
    if (text.size() < 12 || text.at(0) != QLatin1Char('2'))
        return std::nullopt;
    QString kind;
    if (text.at(1) == QLatin1Char('0'))
        kind = kTransmitterMode;
    else if (text.at(2) == QLatin1Char('1'))
        kind = QStringLiteral("S");
    else if (text.at(2) == QLatin1Char('2'))
        kind = QStringLiteral("D");
    else if (text.at(2) == QLatin1Char('3'))
        kind = QStringLiteral("C");
    else
        return std::nullopt;

    QString model = text.left(5).toUpper();
    if (!model.endsWith(QLatin1Char('D')))
        model = model.left(4) + QLatin1Char('S');
    return Decoded{kind, text.left(4) + text.right(8), model};
}

std::optional<int> CodeDecoder::groupCount(const QString &id)
{
    if (id.size() < 4 || !id.at(3).isDigit() || id.at(3).unicode() > '9')
        return std::nullopt;
    return id.at(3).unicode() - '0';
}

QString CodeDecoder::transmitterSummary(const Decoded &code, const Words &words)
{
    return QStringLiteral("%1:ZEVO-%2\n%3")
        .arg(words(QT_TR_NOOP("Model")), code.model.left(4),
             words(QT_TR_NOOP("Wireless Transmitter")));
}

QString CodeDecoder::controllerSummary(const Decoded &code, const Words &words)
{
    const QString modelNumber = code.model.left(4);
    const QString kindText = code.kind == QLatin1String("C") ? words(QT_TR_NOOP("Curtain"))
                                                             : words(QT_TR_NOOP("Lighting"));
    return QStringLiteral("%1:ZEVO-%2\n%3%4\n%5%6\n%7")
        .arg(words(QT_TR_NOOP("Model")), modelNumber, kindText, words(QT_TR_NOOP(" Controller")),
             words(QT_TR_NOOP("Groups:")))
        .arg(modelNumber.at(3).unicode() - '0')
        .arg(code.model.at(4) == QLatin1Char('D') ? words(QT_TR_NOOP("Wires:2"))
                                                  : words(QT_TR_NOOP("Wires:1")));
}

CodeDecoder::Result CodeDecoder::setScanNumber(const QString &scanned,
                                               const QString &scanType) const
{
    if (scanned.isEmpty())
        return InvalidCode;
    // Scanned or typed, one device has one ID: hexadecimal digits in upper case.
    const QString text = scanned.toUpper();
    const std::optional<Decoded> code = getNeedString(text);
    // A code whose ID is not of letters and digits (a comma, a slash, a
    // control character) is no unit's.
    if (!code || code->id.size() != UnitId::kMinLength || !UnitId::isValid(code->id))
        return InvalidCode;
    if (scanType == kTransmitterMode && code->kind != kTransmitterMode)
        return NotATransmitter;

    Navigator *navigator = m_home.application.navigator();
    if (code->kind == kTransmitterMode) {
        if (navigator)
            navigator->pushTransmitterEnrolment(code->id, transmitterSummary(*code));
        return Accepted;
    }
    // A group count that is not a digit would make dozens of channels: refuse it.
    const std::optional<int> groups = groupCount(code->id);
    if (!groups)
        return InvalidCode;
    if (navigator)
        navigator->pushDeviceEnrolment(code->id, *groups, code->kind, controllerSummary(*code));
    return Accepted;
}

CodeDecoder::Result CodeDecoder::decoderWithResult(const QString &text, const QString &scanType,
                                                   FlowCaller *caller) const
{
    const Result result = setScanNumber(text, scanType);
    if (result == InvalidCode)
        FlowCaller::orService(caller).report(FlowOutcome::invalidInput(tr("Invalid BarCode")));
    else if (result == NotATransmitter)
        FlowCaller::orService(caller).report(
            FlowOutcome::invalidInput(tr("Please scan the transmitter first")));
    return result;
}

QStringList CodeDecoder::channelIds(const QString &controllerId, int groupCount)
{
    if (controllerId.isEmpty())
        return {};
    const QString prefix = controllerId.chopped(1);
    const QChar last = controllerId.back();
    const int base =
        last.isDigit() && last.unicode() <= '9' ? last.unicode() - '0' : int(last.unicode()) - 55;
    QStringList ids;
    for (int k = 0; k < groupCount; ++k) {
        const int value = base + k;
        const QString suffix =
            value >= 10 && value <= 15 ? QString(QChar('A' + value - 10)) : QString::number(value);
        ids.append(prefix + suffix);
    }
    return ids;
}

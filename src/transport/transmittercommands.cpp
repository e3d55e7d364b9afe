// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmittercommands.h"

#include "wirevocabulary.h"

QStringList TransmitterCommands::locate(const QString &transmitterId)
{
    return {Wire::request,       Wire::transmitter,
            transmitterId,       Wire::operationField(TransmitterOperation::Locate),
            QStringLiteral("0"), QStringLiteral("0")};
}

QStringList TransmitterCommands::configureRole(const QString &masterId,
                                               const QString &transmitterId, bool asMaster)
{
    return {Wire::configure,
            Wire::transmitter,
            masterId,
            Wire::operationField(TransmitterOperation::Role),
            transmitterId,
            masterId,
            asMaster ? QStringLiteral("m") : QStringLiteral("s"),
            QStringLiteral("0")};
}

QStringList TransmitterCommands::importRequest()
{
    return {Wire::request,           Wire::transmitter,
            QStringLiteral("start"), QStringLiteral("import"),
            QStringLiteral("0"),     QStringLiteral("0")};
}

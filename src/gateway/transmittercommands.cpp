#include "transmittercommands.h"

QStringList TransmitterCommands::locate(const QString &transmitterId)
{
    return {QStringLiteral("req"), QStringLiteral("gw"), transmitterId,
            QStringLiteral("1"),   QStringLiteral("0"),  QStringLiteral("0")};
}

QStringList TransmitterCommands::configureRole(const QString &masterId,
                                               const QString &transmitterId, bool asMaster)
{
    return {QStringLiteral("cfg"),
            QStringLiteral("gw"),
            masterId,
            QStringLiteral("4"),
            transmitterId,
            masterId,
            asMaster ? QStringLiteral("m") : QStringLiteral("s"),
            QStringLiteral("0")};
}

QStringList TransmitterCommands::importRequest()
{
    return {QStringLiteral("req"),    QStringLiteral("gw"), QStringLiteral("start"),
            QStringLiteral("import"), QStringLiteral("0"),  QStringLiteral("0")};
}

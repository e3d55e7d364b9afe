// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QVariantMap>

// The command lines of the light and curtain families ("lig", "curtain"),
// built from a channel's record.
class ControllerCommands {
public:
    static inline const QString kAllLightsId = QStringLiteral("2111FFFFFFFF");

    // "curtain" for curtains, "lig" for everything else.
    static QString familyOf(const QVariantMap &device);

    static QStringList switchLight(const QVariantMap &device, bool on);
    static QStringList dimLight(const QVariantMap &device, int level);
    // Motion "1" opens, "0" closes, "2" stops.
    static QStringList moveCurtain(const QVariantMap &device, const QString &motion);
    static QStringList add(const QVariantMap &device);
    static QStringList remove(const QVariantMap &device);
    static QStringList forceRemove(const QVariantMap &device);
    static QStringList name(const QVariantMap &device, const QString &name);
    static QStringList joinScenario(const QVariantMap &device, const QString &number);
    static QStringList leaveScenario(const QVariantMap &device, const QString &number);
    static QStringList stateQuery(const QVariantMap &device);
    static QStringList switchAllLights(bool on);

private:
    static QStringList command(const QString &verb, const QString &family, const QString &id,
                               int operation, const QString &p1 = QStringLiteral("0"),
                               const QString &p2 = QStringLiteral("0"));
    static QStringList configure(const QVariantMap &device, int operation,
                                 const QString &p1 = QStringLiteral("0"),
                                 const QString &p2 = QStringLiteral("0"));
};

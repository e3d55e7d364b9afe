// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printedoutcome.h"

#include <QJsonValue>
#include <QString>

// Pairing with ardentia-matter from the command line, through its control
// socket in its data folder: the commissioning window opened with the codes
// to pair (and the QR code), the paired controllers, the removal of one.
class MatterPairing {
public:
    using Outcome = PrintedOutcome;

    static constexpr const char *kDefaultFolder = "/var/lib/ardentia-matter";

    explicit MatterPairing(const QString &folder) : m_folder(folder) {}

    Outcome pair() const;
    Outcome listControllers() const;
    Outcome removeController(const QString &id) const;

private:
    // The answer's data, or why there is none.
    struct Answer {
        bool ok = false;
        QJsonValue data;
        QString error;
    };
    Answer ask(const QJsonObject &request) const;

    QString m_folder;
};

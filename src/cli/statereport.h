// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

class LiveHome;

// What each channel reported to a state query, against what the store held
// when it was asked: read from the live home once the queries have run.
class StateReport final {
public:
    struct Line {
        QString id;
        QString title;
        QString stored;
        std::optional<QString> reported; // none: no answer, or the home could not tell
    };

    // Made when the queries are sent: only what the home confirms from then on counts.
    StateReport(const QList<QVariantMap> &channels, const LiveHome &live);

    QList<Line> lines() const;
    bool allAnswered() const;
    // "ID  Title  reported YES (stored NO)" a line each, "no answer" for the silent.
    QStringList text() const;
    QJsonArray json() const;

private:
    std::optional<QString> reportedBy(const QString &id) const;

    QList<Line> m_asked;
    const LiveHome &m_live;
    QDateTime m_askedAt;
};

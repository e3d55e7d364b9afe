// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

// What each channel reported to a state query, against what the store held
// when it was asked: gathered from the home's announcements while the
// queries run.
class StateReport final : public QObject {
    Q_OBJECT

public:
    struct Line {
        QString id;
        QString title;
        QString stored;
        std::optional<QString> reported; // none: no answer, or the home could not tell
    };

    explicit StateReport(const QList<QVariantMap> &channels);

    const QList<Line> &lines() const { return m_lines; }
    bool allAnswered() const;
    // "ID  Title  reported YES (stored NO)" a line each, "no answer" for the silent.
    QStringList text() const;
    QJsonArray json() const;

private:
    Line *lineOf(const QString &id);

    QList<Line> m_lines;
};

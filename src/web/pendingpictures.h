// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// Photos owners' pages sent for a scenario, held (as PNG, at most kSide
// pixels on their longer side) until a scenario is saved with one: nothing
// reaches the picture folder before the home has the scenario. Only the
// last kKept are held, so that unused ones cannot pile up.
class PendingPictures {
public:
    static constexpr int kSide = 480;
    static constexpr qsizetype kKept = 4;

    // The name the page saves a scenario with ("upload-" and random hex).
    QString add(const QImage &image);
    bool holds(const QString &name) const;
    // The PNG held under that name, no longer held; nothing for an unknown name.
    std::optional<QByteArray> take(const QString &name);

private:
    QList<QPair<QString, QByteArray>> m_held; // oldest first
};

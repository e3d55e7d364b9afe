// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Where the curtains' acknowledged moves took them. The home tells no
// motion and the store keeps a curtain's state through a move, so a curtain
// is open or closed as its last acknowledged move left it (a stop leaves it
// as it was), until the home reports its position again.
class CurtainMoves {
public:
    // A command the home acknowledged: an open or a close is remembered.
    void acknowledge(const QStringList &fields);
    // The home reported the curtain itself: its word stands from now on.
    void forget(const QString &id) { m_states.remove(id); }
    // The record with the state its last acknowledged move left it in.
    QVariantMap applied(QVariantMap device) const;

private:
    QHash<QString, QString> m_states; // curtain ID -> its stored-state word ("YES" open)
};

#pragma once

#include <QString>
#include <QStringList>

// A command waiting while another one is outstanding, with the destination
// it was resolved to when it was queued.
struct QueueEntry {
    QStringList sendArray;
    QString sendAddress;

    bool operator==(const QueueEntry &) const = default;
};

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QTimer>

#include <memory>
#include <unordered_set>

// Holds sockets that are still working after their creator let go of them.
// The set lives for the whole process (it is never destroyed, so that no
// socket is torn down after the application object is gone); a socket is
// removed on a later run-loop turn, never inside one of its own calls.
template <typename Socket> class SocketKeepAlive {
public:
    static void hold(const std::shared_ptr<Socket> &socket) { held().insert(socket); }

    static void releaseLater(Socket *socket)
    {
        auto &set = held();
        for (auto it = set.begin(); it != set.end(); ++it) {
            if (it->get() == socket) {
                std::shared_ptr<Socket> last = *it;
                set.erase(it);
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [last] {}, Qt::QueuedConnection);
                return;
            }
        }
    }

    static bool isHeld(const Socket *socket)
    {
        for (const auto &held : held())
            if (held.get() == socket)
                return true;
        return false;
    }

    static int count() { return int(held().size()); }

    static QList<Socket *> all()
    {
        QList<Socket *> sockets;
        for (const auto &socket : held())
            sockets.append(socket.get());
        return sockets;
    }

private:
    static std::unordered_set<std::shared_ptr<Socket>> &held()
    {
        static auto *set = new std::unordered_set<std::shared_ptr<Socket>>();
        return *set;
    }
};

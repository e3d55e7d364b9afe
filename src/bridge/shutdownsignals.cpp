// SPDX-License-Identifier: GPL-3.0-or-later
#include "shutdownsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_pair[2] = {-1, -1};

// Only what is safe in a signal handler: one byte down the pipe.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &byte, 1);
}
} // namespace

ShutdownSignals::ShutdownSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pair) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pair[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(g_pair[1], &byte, 1);
        Q_EMIT received();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    m_notifier.reset();
    for (int &fd : g_pair) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

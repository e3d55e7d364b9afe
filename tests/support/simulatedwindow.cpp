// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulatedwindow.h"

#include "appwindowtesting.h"
#include "control/udpsocketmanager.h"
#include "loopbacksimulator.h"

#include <QTest>

namespace {
constexpr int kQuickFollowUpMilliseconds = 5;

// A request as a person reads it: no frame around it.
QString unframed(const QByteArray &request)
{
    QString line = QString::fromUtf8(request).trimmed();
    if (line.startsWith(QLatin1String("token$")))
        line = line.mid(6);
    if (line.endsWith(QLatin1String("\\n")))
        line.chop(2);
    return line;
}
} // namespace

SimulatedWindow::SimulatedWindow() = default;

SimulatedWindow::~SimulatedWindow()
{
    m_window.reset();
    m_simulator.reset();
}

bool SimulatedWindow::startSimulator(SimulatedHome home)
{
    m_simulator = startLoopbackSimulator(std::move(home));
    if (!m_simulator)
        return false;
    QObject::connect(m_simulator.get(), &TransmitterServer::datagramAnswered,
                     [this](const QByteArray &request) { m_received << unframed(request); });
    return true;
}

bool SimulatedWindow::openWindow(QSize size)
{
    m_window = std::make_unique<AppWindow>(m_program.services());
    if (size.isValid())
        m_window->resize(size);
    m_window->show();
    if (QTest::qWaitForWindowExposed(m_window.get()))
        return true;
    m_window.reset();
    return false;
}

HomeViewController *SimulatedWindow::home() const
{
    return m_window->home();
}

void SimulatedWindow::quickenChannel()
{
    UDPSocketManager::instance()->setFollowUpMilliseconds(kQuickFollowUpMilliseconds);
}

bool SimulatedWindow::channelSettled(int timeoutMs)
{
    return QTest::qWaitFor([] { return AppWindowTesting::channelSettled(); }, timeoutMs);
}

QString SimulatedWindow::lastToast() const
{
    return AppWindowTesting::lastToast(*m_window);
}

QStringList SimulatedWindow::receivedFor(const QString &text) const
{
    QStringList lines;
    for (const QString &line : m_received)
        if (line.contains(text))
            lines << line;
    return lines;
}

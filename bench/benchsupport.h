// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>

class TransmitterServer;

// What several benchmarks need: running the event loop until something is
// done, the process's resident memory, and a home of many lights.
bool runUntil(const std::function<bool()> &done, int limitMs);
double residentMegabytes();

// Light k's channel ID, and its stored record.
QString benchLightId(int k);
QVariantMap storedBenchLight(int k);
// A simulator on loopback with a master and this many lights, the same home
// in a fresh store, the command channel pointed at it; null when it cannot start.
std::unique_ptr<TransmitterServer> homeWithLights(int lights);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantMap>

#include <functional>

// A large home in a fresh store: 3 transmitters, 500 dimmable channels and 8
// scenarios of 60 members each.
constexpr int kLargeHomeChannels = 500;
constexpr int kLargeHomeScenarios = 8;
constexpr int kLargeHomeMembers = 60;

QString largeHomeChannelId(int i);
QVariantMap largeHomeChannel(int i);
// Builds it; `pictureOf` gives scenario s (from 1) its picture's path, when given.
void buildLargeHome(const std::function<QString(int scenario)> &pictureOf = {});

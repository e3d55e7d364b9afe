// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scheduleproblem.h"

#include <optional>

// Where the home is, set by its owner: degrees north (+) or south (-), and
// east (+) or west (-); sunrise and sunset are reckoned from it.
struct HomeLocation {
    double latitude = 0;
    double longitude = 0;
    bool operator==(const HomeLocation &) const = default;

    // What keeps it off the globe; nothing for a place on it.
    std::optional<ScheduleProblem> problem() const;
};

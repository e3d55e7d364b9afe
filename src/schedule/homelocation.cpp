// SPDX-License-Identifier: GPL-3.0-or-later
#include "homelocation.h"

#include <cmath>

std::optional<ScheduleProblem> HomeLocation::problem() const
{
    // NaN fails both comparisons, and so is refused with the rest.
    if (!(std::abs(latitude) <= 90))
        return ScheduleProblem(QT_TRANSLATE_NOOP(
            "ScheduleProblem", "The latitude must be from -90 (south) to 90 (north) degrees."));
    if (!(std::abs(longitude) <= 180))
        return ScheduleProblem(QT_TRANSLATE_NOOP(
            "ScheduleProblem", "The longitude must be from -180 (west) to 180 (east) degrees."));
    return std::nullopt;
}

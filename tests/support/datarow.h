// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

// One row of a data-driven test, its values in the order of the columns:
// dataRow("name", a, b) is QTest::newRow("name") << a << b, on one line.
template <typename... Values> QTestData &dataRow(const char *name, const Values &...values)
{
    return (QTest::newRow(name) << ... << values);
}

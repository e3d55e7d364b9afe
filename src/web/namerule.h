// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/commandline.h"

#include <QString>

// Names as the app's name field takes them, for channels, transmitters and
// scenarios alike: 1 to 20 characters (a single blank is a name), none that
// the wire cannot carry.
namespace NameRule {
constexpr qsizetype kMaxLength = 20;

// The code of the page's text for the rule the name breaks; empty when it breaks none.
inline QString refusalOf(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("nameEmpty");
    if (name.size() > kMaxLength)
        return QStringLiteral("nameTooLong");
    if (!CommandLine::isSendableField(name))
        return QStringLiteral("nameUnsendable");
    return {};
}
} // namespace NameRule

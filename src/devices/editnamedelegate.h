// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// Receives the result of a naming screen: the name, the caller's row and a
// third value, the caller's section as text (names only) or the chosen
// picture's image data (names with pictures).
class EditNameDelegate {
public:
    virtual ~EditNameDelegate() = default;
    virtual void editFinishWithName(const QString &name, int whichRow,
                                    const QVariant &imageData) = 0;
};

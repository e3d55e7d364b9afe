// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Opens the screens that the non-UI rules decide to show. The navigation
// stack of the app implements it; the command-line tool and tests implement
// it headless.
class Navigator {
public:
    virtual ~Navigator() = default;
    // A new scanner; it chooses its own mode when it appears.
    virtual void pushScanner() = 0;
    // The scanner in a mode (none: the one it chooses): the scanner the
    // person sees takes it; else a new one opens.
    virtual void showScanner(const std::optional<QString> &scanType)
    {
        Q_UNUSED(scanType)
        pushScanner();
    }
    // Whether the person is looking at a transmitter's enrolment.
    virtual bool showsTransmitterEnrolment() const { return false; }
    virtual void pushDeviceSelection() = 0;
    virtual void pushTransmitterEnrolment(const QString &id, const QString &summary) = 0;
    virtual void pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                                     const QString &summary) = 0;
};

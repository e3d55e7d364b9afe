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
    virtual void pushDeviceSelection() = 0;
    virtual void pushTransmitterEnrolment(const QString &id, const QString &summary) = 0;
    virtual void pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                                     const QString &summary) = 0;
};

// The scanner screen, when it is on top.
class ScannerScreen {
public:
    virtual ~ScannerScreen() = default;
    virtual void setScanType(const std::optional<QString> &scanType) = 0;
};

// The camera torch the scanner toggles.
class TorchControl {
public:
    virtual ~TorchControl() = default;
    virtual bool hasTorch() const = 0;
    virtual bool isTorchOn() const = 0;
    virtual void setTorchOn(bool on) = 0;
};

// The home screen, refreshed after an import.
class HomeScreen {
public:
    virtual ~HomeScreen() = default;
    virtual void updateCenterView() = 0;
};

// The start-up views: the logo overlay and the welcome pages.
class StartUpView {
public:
    virtual ~StartUpView() = default;
    // First start: the welcome pages fade in, then the overlay goes.
    virtual void showWelcomePages() = 0;
    // Later starts: the overlay fades out and the top screen refreshes.
    virtual void hideLogoAndRefresh() = 0;
};

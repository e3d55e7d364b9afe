// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>

class FlowCaller;
#include <optional>

#include "homeservices.h"

// Reads the code printed on a transmitter or a controller: the unit's kind,
// its 12-character ID, its model and channels; opens the enrolment screen
// that fits. Used by the scanner's detections and by typed IDs alike.
class CodeDecoder {
    Q_DECLARE_TR_FUNCTIONS(CodeDecoder)

public:
    struct Decoded {
        QString kind;  // "SuperBox", "S", "D" or "C"
        QString id;    // characters 0-3 and the last 8
        QString model; // characters 0-4 upper-cased, ending in "D" or "S"
        bool operator==(const Decoded &) const = default;
    };

    enum Result { Accepted = 0, InvalidCode = 1, NotATransmitter = 2 };

    static inline const QString kTransmitterMode = QStringLiteral("SuperBox");
    static inline const QString kDeviceMode = QStringLiteral("Device");

    // Opens what it accepted through the application's navigator.
    explicit CodeDecoder(const HomeServices &home) : m_home(home) {}

    static std::optional<Decoded> getNeedString(const QString &text);
    // Validates and, when accepted, opens the enrolment screen through the navigator.
    Result setScanNumber(const QString &text, const QString &scanType) const;
    // The same, telling why a code was refused to caller (null: the feedback service).
    Result decoderWithResult(const QString &text, const QString &scanType,
                             FlowCaller *caller = nullptr) const;

    // The IDs of a controller's channels, channel 0 first (its total ID).
    static QStringList channelIds(const QString &controllerId, int groupCount);
    // One of the decoder's texts (its source marked for translation) in a
    // language: the app's own by default; a page of the web remote has its own.
    using Words = std::function<QString(const char *source)>;
    static QString appWords(const char *source) { return tr(source); }
    static QString transmitterSummary(const Decoded &code, const Words &words = appWords);
    static QString controllerSummary(const Decoded &code, const Words &words = appWords);
    // The group count at position 3; nullopt when it is not a digit.
    static std::optional<int> groupCount(const QString &id);

private:
    HomeServices m_home;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagerequest.h"

#include "control/homeservices.h"
#include "control/navigator.h"

#include <QHash>
#include <QJsonObject>

#include <functional>
#include <memory>

class FlowCaller;
class QWebSocket;

// Enrolment from an owner's page, through the app's own decoder and flows:
// a code (typed, or read from a photo) decoded as the scanner's are, with
// the same refusals; then a controller's channels enrolled under the names
// the page gives them (a transmitter connected and the master's
// configuration imported), and the outcome as the enrolment screen is told
// it. The enrolment's caller is the page's own, and plays the enrolment
// step the flows tell before their outcome.
class PageEnrolment final : public Navigator {
public:
    // A page (its socket, as a key): each page enrols what it decoded itself.
    using Page = const QWebSocket *;
    // What a page is told; nothing once it has gone.
    using Tell = std::function<void(Page page, const QJsonObject &message)>;

    PageEnrolment(const HomeServices &home, Tell tell);
    ~PageEnrolment() override;
    PageEnrolment(const PageEnrolment &) = delete;
    PageEnrolment &operator=(const PageEnrolment &) = delete;

    // The code as the page sent it; what the page is told is in its
    // language, a refusal's words to caller (the page's).
    void decode(Page page, const QString &language, const QString &code, FlowCaller *caller);
    // caller: the page's request's, told the enrolment's outcome.
    void enrol(Page page, const PageRequest::Enrol &request, std::shared_ptr<FlowCaller> caller);
    // The page has gone: what it decoded is forgotten.
    void forget(Page page) { m_decoded.remove(page); }

    // Navigator: what the decoder opens is told to the page.
    void pushScanner() override {}
    void pushDeviceSelection() override {}
    void pushTransmitterEnrolment(const QString &id, const QString &summary) override;
    void pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                             const QString &summary) override;

private:
    class EnrolmentCaller;
    struct Decoded {
        QString kind; // "SuperBox", "S", "D" or "C"
        QString id;
        int groupCount = 0;
        QString language; // the page's: its channels' default names are in it
    };
    // The summary of the code being decoded, in the page's language.
    QString summaryOf(const QString &appSummary) const;

    HomeServices m_home;
    Tell m_tell;
    QHash<Page, Decoded> m_decoded; // per page, the last code the decoder accepted for it
    Page m_decoding = nullptr;      // whose code the decoder is reading
    QString m_decodingCode, m_decodingLanguage;
};

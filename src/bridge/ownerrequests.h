// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagerequest.h"

#include "control/alertpresenter.h"

#include <QDeadlineTimer>
#include <QJsonObject>

#include <functional>
#include <optional>

// What only an owner's device asks of the web remote, done as the app's
// device list does it: a channel renamed through the master (its name is
// the master's), a transmitter renamed in the store (its name is the app's
// own), a channel removed when the master agrees and a transmitter at once,
// a unit's detail with the QR code of its ID, the transmitters listed. A
// question the removal raises (a controller that does not answer: remove it
// by force?) is put to the page, and its answer taken back.
class OwnerRequests final : public AlertPresenter {
public:
    // Where answers and questions go: the page that asked.
    using Tell = std::function<void(const QJsonObject &message)>;

    explicit OwnerRequests(Tell tell);
    ~OwnerRequests() override;
    OwnerRequests(const OwnerRequests &) = delete;
    OwnerRequests &operator=(const OwnerRequests &) = delete;

    void rename(const PageRequest::Rename &request);
    void remove(const PageRequest::Remove &request);
    void answer(const PageRequest::Answer &request);
    void detail(const PageRequest::Detail &request);
    void listTransmitters();
    bool hasQuestion() const { return m_question.has_value(); }
    // The page it was put to has gone: it stays unanswered, as cancelled.
    void dropQuestion() { m_question.reset(); }
    // A question holds the home (no other owner's change starts) for this
    // long at most: a page left open with its question unanswered does not
    // hold every other owner off for ever. Past it the question still
    // stands, until another owner's change takes the home.
    static constexpr int kDefaultQuestionHoldMs = 120000;
    void setQuestionHold(int milliseconds) { m_questionHoldMs = milliseconds; }
    bool questionHoldsTheHome() const { return m_question && !m_question->hold.hasExpired(); }

    void showAlert(const QString &message, const QStringList &buttons, Answer answer) override;

private:
    struct Question {
        int number;
        Answer answer;
        QDeadlineTimer hold;
    };

    std::optional<QVariantMap> transmitter(const QString &id) const;

    Tell m_tell;
    std::optional<Question> m_question;
    int m_questionsAsked = 0;
    int m_questionHoldMs = kDefaultQuestionHoldMs;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/alertpresenter.h"
#include "control/flowcaller.h"

#include <QJsonObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// One open page of the web remote as the flows it starts see it: each of its
// requests gets a caller of its own, whose outcome and question reach this
// page and no other. A page may have one question open; a new one leaves
// the last unanswered, as cancelled. Once the page has gone (the session is
// destroyed), its flows' callers tell nothing and can be asked nothing.
class PageSession final : public std::enable_shared_from_this<PageSession> {
public:
    using Send = std::function<void(const QJsonObject &message)>;

    PageSession(Send send, QString language)
        : m_send(std::move(send)), m_language(std::move(language))
    {
    }
    PageSession(const PageSession &) = delete;
    PageSession &operator=(const PageSession &) = delete;

    const QString &language() const { return m_language; }
    // An outcome in the words the app shows, in the page's language; a flow
    // done without words tells nothing.
    void tellOutcome(const FlowOutcome &outcome);
    // That the request whose flows end as end is over: done or not.
    void tellEnd(const QString &end, bool done);

    // The caller of one request of this page. With an end named, the page
    // is also told when the flow is over, as {"type": end, "done": bool},
    // for a screen that waits on that request.
    std::shared_ptr<FlowCaller> caller(const QString &end = {});

    bool ask(const QString &message, const QStringList &buttons, AlertPresenter::Answer answer);
    // False when the page has no open question of that number.
    bool answer(int question, int button);
    // The page may no longer answer (its device is no owner's now).
    void dropQuestion() { m_question.reset(); }

private:
    struct Question {
        int number;
        AlertPresenter::Answer answer;
    };

    Send m_send;
    QString m_language;
    std::optional<Question> m_question;
    int m_questionsAsked = 0;
};

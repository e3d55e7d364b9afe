// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagesession.h"

#include "pageerror.h"
#include "webpagetexts.h"

#include "base/logging.h"

#include <QJsonArray>

namespace {
// A request's caller: it holds its page weakly, so that a page gone hears
// nothing more and its flows ask no one.
class PageCaller final : public FlowCaller {
public:
    PageCaller(std::weak_ptr<PageSession> page, QString end)
        : m_page(std::move(page)), m_end(std::move(end))
    {
    }

    void report(const FlowOutcome &outcome) override
    {
        const std::shared_ptr<PageSession> page = m_page.lock();
        if (!page)
            return;
        page->tellOutcome(outcome);
        if (!m_end.isEmpty())
            page->tellEnd(m_end, outcome.isDone());
    }
    bool ask(const QString &message, const QStringList &buttons,
             AlertPresenter::Answer answer) override
    {
        const std::shared_ptr<PageSession> page = m_page.lock();
        if (!page) {
            qCInfo(lcGateway).noquote()
                << "web remote: the page that was to answer has gone:" << message;
            return false;
        }
        return page->ask(message, buttons, std::move(answer));
    }
    void showProgress(double) override {}
    void stopProgress() override {}

private:
    std::weak_ptr<PageSession> m_page;
    QString m_end;
};
} // namespace

void PageSession::tellOutcome(const FlowOutcome &outcome)
{
    const FlowOutcome told = outcome.told();
    if (told.title.isEmpty())
        return;
    m_send({{QStringLiteral("type"), QStringLiteral("toast")},
            {QStringLiteral("title"), WebPageTexts::toastText(told.title, m_language)},
            {QStringLiteral("detail"),
             told.detail.isEmpty() ? QString() : WebPageTexts::toastText(told.detail, m_language)},
            {QStringLiteral("good"), told.isDone()}});
}

void PageSession::tellEnd(const QString &end, bool done)
{
    m_send(pageEnd(end, done));
}

std::shared_ptr<FlowCaller> PageSession::caller(const QString &end)
{
    return std::make_shared<PageCaller>(weak_from_this(), end);
}

bool PageSession::ask(const QString &message, const QStringList &buttons,
                      AlertPresenter::Answer answer)
{
    m_question = Question{++m_questionsAsked, std::move(answer)};
    m_send({{QStringLiteral("type"), QStringLiteral("question")},
            {QStringLiteral("question"), m_question->number},
            {QStringLiteral("message"), message},
            {QStringLiteral("buttons"), QJsonArray::fromStringList(buttons)}});
    return true;
}

bool PageSession::answer(int question, int button)
{
    if (!m_question || m_question->number != question)
        return false;
    const AlertPresenter::Answer answer = std::move(m_question->answer);
    m_question.reset();
    answer(button);
    return true;
}

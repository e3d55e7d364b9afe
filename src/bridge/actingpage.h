// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

class QWebSocket;

#include <functional>

// The page whose owner's change the home is carrying out. The home takes a
// person's commands one after another and the app's flows tell their
// outcome (a toast, a question) to whoever shows them, so one owner's change
// is under way at a time: another page's waits (is refused, to be asked
// again) until the acting page's commands are answered and its question is
// answered or dropped. What the change tells goes to the acting page, and to
// no other; once it is over, nothing more is told to it. A page is named by
// an opaque key (its socket). While a change is under way, whether it is
// over is looked at every kSettleCheckMs (its last steps end in no signal
// of their own).
class ActingPage {
public:
    static constexpr int kSettleCheckMs = 100;

    using Page = QWebSocket *;
    // Whether the home is still busy with a change: commands of a person
    // outstanding or queued, or a question waiting for its answer.
    using Busy = std::function<bool()>;

    explicit ActingPage(Busy busy);
    ActingPage(const ActingPage &) = delete;
    ActingPage &operator=(const ActingPage &) = delete;

    // Whether that page may start a change now; if so, it is the acting page.
    bool take(Page page);
    // The page that hears what the change under way tells; none outside one,
    // or when the page has closed.
    Page listener() const { return m_underWay ? m_page : nullptr; }
    // Looks again whether the change is over.
    void settle();
    // The page is gone (or its device may no longer change the home):
    // nothing more is told to it; the change it started still runs to its
    // end before another page may start one.
    void closed(Page page);

private:
    Busy m_busy;
    Page m_page = nullptr;
    bool m_underWay = false;
    QTimer m_settleCheck;
};

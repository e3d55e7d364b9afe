// SPDX-License-Identifier: GPL-3.0-or-later
#include "actingpage.h"

ActingPage::ActingPage(Busy busy) : m_busy(std::move(busy))
{
    m_settleCheck.setInterval(kSettleCheckMs);
    QObject::connect(&m_settleCheck, &QTimer::timeout, [this] { settle(); });
}

bool ActingPage::take(Page page)
{
    settle();
    if (m_underWay && m_page != page)
        return false;
    m_page = page;
    m_underWay = true;
    m_settleCheck.start();
    return true;
}

void ActingPage::settle()
{
    if (!m_underWay || m_busy())
        return;
    m_underWay = false;
    m_settleCheck.stop();
}

void ActingPage::closed(Page page)
{
    if (m_page == page)
        m_page = nullptr;
}

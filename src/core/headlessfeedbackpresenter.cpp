// SPDX-License-Identifier: GPL-3.0-or-later
#include "headlessfeedbackpresenter.h"

#include "base/logging.h"

QString HeadlessFeedbackPresenter::toastText(const QString &title, const QString &detail)
{
    return detail.isEmpty() ? title : title + QStringLiteral(" / ") + detail;
}

void HeadlessFeedbackPresenter::showToast(const QString &title, const QString &detail, ToastTone)
{
    m_visibleToast = toastText(title, detail);
    m_toasts.append(m_visibleToast);
    qCInfo(lcFeedback).noquote() << "toast:" << m_visibleToast;
}

void HeadlessFeedbackPresenter::hideToast()
{
    m_visibleToast.clear();
}

void HeadlessFeedbackPresenter::showWindowActivity()
{
    m_windowActivity = true;
}

void HeadlessFeedbackPresenter::hideWindowActivity()
{
    m_windowActivity = false;
}

void HeadlessFeedbackPresenter::clear()
{
    m_toasts.clear();
    m_visibleToast.clear();
    m_windowActivity = false;
}

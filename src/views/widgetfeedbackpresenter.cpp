// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetfeedbackpresenter.h"

#include "announce.h"

#include "core/toastgeometry.h"
#include "vtactivityindicator.h"
#include "vtmbroundview.h"

#include <QFontMetricsF>
#include <QLabel>

namespace {
QFont systemFont(int pixels)
{
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

QSizeF oneLine(const QString &text, const QFont &font)
{
    if (text.isEmpty())
        return {};
    const QFontMetricsF metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

QLabel *whiteLabel(const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return label;
}
} // namespace

WidgetFeedbackPresenter::WidgetFeedbackPresenter(QWidget *window) : m_window(window) {}

QWidget *WidgetFeedbackPresenter::toast() const
{
    return m_toast;
}

QWidget *WidgetFeedbackPresenter::activityPanel() const
{
    return m_activityPanel;
}

void WidgetFeedbackPresenter::showToast(const QString &title, const QString &detail, ToastTone)
{
    hideToast();
    const QFont titleFont = systemFont(16), detailFont = systemFont(12);
    const ToastGeometry geometry = ToastGeometry::compute(
        oneLine(title, titleFont), oneLine(detail, detailFont), QSizeF(m_window->size()));
    m_toast = new VtMBRoundView(m_window);
    m_toast->setObjectName(QStringLiteral("toast"));
    Announce::makeAlert(m_toast);
    m_toast->setGeometry(geometry.panel.toAlignedRect());
    whiteLabel(title, titleFont, m_toast)->setGeometry(geometry.titleLabel.toAlignedRect());
    if (!detail.isEmpty())
        whiteLabel(detail, detailFont, m_toast)->setGeometry(geometry.detailLabel.toAlignedRect());
    m_toast->show();
    m_toast->raise();
    Announce::alert(m_toast, detail.isEmpty() ? title : title + QLatin1Char('\n') + detail);
}

void WidgetFeedbackPresenter::hideToast()
{
    if (m_toast)
        m_toast->deleteLater();
    m_toast = nullptr;
}

void WidgetFeedbackPresenter::showWindowActivity()
{
    hideWindowActivity();
    const QPoint centre(m_window->width() / 2, m_window->height() / 2 - m_window->height() / 16);
    m_activityPanel = new VtMBRoundView(m_window);
    m_activityPanel->setObjectName(QStringLiteral("activityPanel"));
    m_activityPanel->resize(kActivityPanelSide, kActivityPanelSide);
    m_activityPanel->move(centre - QPoint(kActivityPanelSide / 2, kActivityPanelSide / 2));
    m_indicator = new VtActivityIndicator(VtActivityIndicator::Size::Large, m_window);
    m_indicator->move(centre - QPoint(m_indicator->width() / 2, m_indicator->height() / 2));
    m_activityPanel->show();
    m_indicator->show();
    m_indicator->raise();
    m_indicator->startAnimating();
}

void WidgetFeedbackPresenter::hideWindowActivity()
{
    if (m_indicator)
        m_indicator->deleteLater();
    if (m_activityPanel)
        m_activityPanel->deleteLater();
    m_indicator = nullptr;
    m_activityPanel = nullptr;
}

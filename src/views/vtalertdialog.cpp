// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtalertdialog.h"

#include "focustrap.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
class AlertOverlay : public QWidget {
public:
    using QWidget::QWidget;

protected:
    bool focusNextPrevChild(bool next) override { return FocusTrap::cycle(this, next); }
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), QColor(0, 0, 0, 110));
    }
};
} // namespace

QWidget *VtAlertDialog::visibleAlert() const
{
    return m_window->findChild<QWidget *>(QStringLiteral("alert"), Qt::FindDirectChildrenOnly);
}

void VtAlertDialog::showAlert(const QString &message, const QStringList &buttons, Answer answer)
{
    auto *overlay = new AlertOverlay(m_window);
    overlay->setObjectName(QStringLiteral("alert"));
    overlay->setGeometry(m_window->rect());
    auto *panel = new QWidget(overlay);
    panel->setStyleSheet(QStringLiteral("background: white; border-radius: 10px;"));
    auto *layout = new QVBoxLayout(panel);
    auto *text = new QLabel(message, panel);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto *row = new QHBoxLayout();
    for (int i = 0; i < buttons.size(); ++i) {
        auto *button = new QPushButton(buttons.at(i), panel);
        button->setObjectName(QStringLiteral("alertButton%1").arg(i));
        QObject::connect(button, &QPushButton::clicked, overlay, [overlay, answer, i] {
            overlay->hide();
            overlay->deleteLater();
            answer(i);
        });
        row->addWidget(button);
    }
    layout->addLayout(row);
    const int width = qMin(270, m_window->width() - 40);
    panel->setFixedWidth(width);
    panel->adjustSize();
    panel->move((m_window->width() - width) / 2, (m_window->height() - panel->height()) / 2);
    overlay->show();
    overlay->raise();
    FocusTrap::enter(overlay);
}

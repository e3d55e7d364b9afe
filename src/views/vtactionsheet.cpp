// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtactionsheet.h"

#include "focustrap.h"

#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kButtonHeight = 44;
const char *const kButtonStyle =
    "QPushButton { background: white; border-radius: 8px; font-size: 18px; color: #45403b; }";
} // namespace

VtActionSheet::VtActionSheet(const QStringList &buttons, int tag, QWidget *parent)
    : QWidget(parent), m_tag(tag), m_panel(new QWidget(this))
{
    setGeometry(parent->rect());
    auto *layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    for (int i = 0; i < buttons.size(); ++i) {
        auto *button = new QPushButton(buttons.at(i), m_panel);
        button->setFixedHeight(kButtonHeight);
        button->setStyleSheet(QString::fromLatin1(kButtonStyle));
        connect(button, &QPushButton::clicked, this, [this, i] { choose(i + 1); });
        layout->addWidget(button);
    }
    auto *cancel = new QPushButton(tr("Cancel"), m_panel);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setFixedHeight(kButtonHeight);
    cancel->setStyleSheet(QString::fromLatin1(kButtonStyle));
    connect(cancel, &QPushButton::clicked, this, [this] { choose(0); });
    layout->addSpacing(6);
    layout->addWidget(cancel);
    const int panelHeight = (kButtonHeight + 8) * int(buttons.size() + 1) + 26;
    m_panel->setGeometry(0, height() - panelHeight, width(), panelHeight);
}

void VtActionSheet::showSheet()
{
    show();
    raise();
    FocusTrap::enter(this);
}

void VtActionSheet::choose(int index)
{
    hide();
    Q_EMIT clickedButtonAtIndex(index);
    deleteLater();
}

void VtActionSheet::mousePressEvent(QMouseEvent *)
{
    choose(0);
}

void VtActionSheet::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 110));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "homedetailviewcontroller.h"

#include "core/showalertmanager.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "views/keyboardavoidance.h"

#include <QLabel>
#include <QLineEdit>

HomeDetailViewController::HomeDetailViewController(const QString &title, const QString &prompt,
                                                   Finished finished, QWidget *parent)
    : ParentViewController(title, parent), m_prompt(new QLabel(prompt, this)),
      m_field(new QLineEdit(this)), m_keyboard(new KeyboardAvoidance(this)),
      m_finished(std::move(finished))
{
    setPopType(Modal);
    m_field->setObjectName(QStringLiteral("idField"));
    connect(m_field, &QLineEdit::returnPressed, this, &HomeDetailViewController::returnPressed);
    connect(m_keyboard, &KeyboardAvoidance::changed, this,
            &HomeDetailViewController::layoutContent);
    layoutContent();
}

void HomeDetailViewController::layoutContent()
{
    const int top = NavigationBar::kHeight - m_keyboard->lift();
    m_prompt->setGeometry(20, top + 20, 280, 24);
    m_field->setGeometry(20, top + 50, 280, 36);
    keepBarOnTop();
}

void HomeDetailViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    layoutContent();
}

void HomeDetailViewController::returnPressed()
{
    const QString text = m_field->text().trimmed();
    if (text.isEmpty()) {
        ShowAlertManager::instance()->showLabelWithTitle(tr("Please input ID"));
        return;
    }
    const Finished finished = m_finished;
    if (auto *stack = NavigationStack::of(this))
        stack->popScreen(false);
    if (finished)
        finished(text);
}

void HomeDetailViewController::showEvent(QShowEvent *event)
{
    ParentViewController::showEvent(event);
    m_field->setFocus();
}

#include "homedetailviewcontroller.h"

#include "core/showalertmanager.h"
#include "navigationbar.h"
#include "navigationstack.h"

#include <QLabel>
#include <QLineEdit>

HomeDetailViewController::HomeDetailViewController(const QString &title, const QString &prompt,
                                                   Finished finished, QWidget *parent)
    : ParentViewController(title, parent), m_field(new QLineEdit(this)),
      m_finished(std::move(finished))
{
    setPopType(Modal);
    auto *line = new QLabel(prompt, this);
    line->setGeometry(20, NavigationBar::kHeight + 20, 280, 24);
    m_field->setObjectName(QStringLiteral("idField"));
    m_field->setGeometry(20, NavigationBar::kHeight + 50, 280, 36);
    connect(m_field, &QLineEdit::returnPressed, this, &HomeDetailViewController::returnPressed);
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

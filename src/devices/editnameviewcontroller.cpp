// SPDX-License-Identifier: GPL-3.0-or-later
#include "editnameviewcontroller.h"

#include "core/showalertmanager.h"
#include "editnamedelegate.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "views/keyboardavoidance.h"
#include "views/picturelibrary.h"
#include "views/vtlightingimageview.h"

#include <QLineEdit>

namespace {
struct FixedPicture {
    const char *name;
    const char *picture;
    int lightType;
};
const FixedPicture kUnitPictures[] = {{"C", "device_Curtain", 3},
                                      {"S", "device_Light", 1},
                                      {"D", "device_Light", 2},
                                      {"SuperBox", "device_SuperBox", 4}};
} // namespace

EditNameViewController::EditNameViewController(const QString &lastChoose,
                                               const std::optional<QString> &imageName, int editRow,
                                               QWidget *parent)
    : ParentViewController(editRow == -1 ? tr("Setting Name") : tr("Change Name"), parent),
      m_editRow(editRow), m_field(new QLineEdit(lastChoose, this)),
      m_keyboard(new KeyboardAvoidance(this))
{
    connect(m_keyboard, &KeyboardAvoidance::changed, this, &EditNameViewController::layoutContent);
    m_field->setObjectName(QStringLiteral("nameField"));
    m_field->setAccessibleName(tr("Name"));
    m_field->setStyleSheet(QStringLiteral("background: white; border: 1px solid #45403b;"));
    attachNameField(m_field);
    connect(m_field, &QLineEdit::returnPressed, this, &EditNameViewController::confirm);
    if (!imageName)
        return;
    m_picture = new VtLightingImageView(this);
    for (const FixedPicture &unit : kUnitPictures)
        if (*imageName == QLatin1String(unit.name)) {
            m_picture->setPicture(PictureLibrary::picture(QLatin1String(unit.picture)),
                                  unit.lightType);
            return;
        }
    // Any other name: a built-in picture, else a picture file; it can be changed.
    QPixmap picture = PictureLibrary::picture(*imageName);
    if (picture.isNull())
        picture = QPixmap(*imageName);
    m_picture->setPicture(picture, 0);
    connect(m_picture, &VtLightingImageView::pressed, this,
            &EditNameViewController::imageViewPress);
}

void EditNameViewController::confirm()
{
    if (m_field->text().isEmpty()) {
        ShowAlertManager::instance()->showLabelWithTitle(tr("Please input name"));
        return;
    }
    pushDelegateSelector(m_field->text());
}

void EditNameViewController::leaveThenCall(std::function<void()> call)
{
    // This screen goes first, so the caller is on top when it handles the result.
    if (auto *stack = NavigationStack::of(this))
        stack->popScreen(true);
    call();
}

void EditNameViewController::pushDelegateSelector(const QString &name)
{
    if (!m_delegate)
        return;
    EditNameDelegate *delegate = m_delegate;
    const int row = m_editRow;
    const QString section = QString::number(m_lastSelectSection);
    leaveThenCall([=] { delegate->editFinishWithName(name, row, section); });
}

void EditNameViewController::showEvent(QShowEvent *event)
{
    ParentViewController::showEvent(event);
    m_field->setFocus();
}

void EditNameViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    layoutContent();
}

void EditNameViewController::layoutContent()
{
    // Centred above where a phone's keyboard usually is, and higher still
    // when the one showing would cover it.
    const int keyboard = 216;
    const int centreY = NavigationBar::kHeight +
                        (height() - NavigationBar::kHeight - keyboard) / 2 - m_keyboard->lift();
    m_field->setGeometry(80, centreY - 35 / 2, width() - 90, 35);
    if (m_picture)
        m_picture->move(10, centreY - 30);
    keepBarOnTop();
}

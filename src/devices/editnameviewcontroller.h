// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame/parentviewcontroller.h"

#include <QPointer>
#include <optional>

class EditNameDelegate;
class KeyboardAvoidance;
class QLineEdit;
class VtLightingImageView;

// Names a unit: its name in a framed field and, for units, its fixed picture.
class EditNameViewController : public ParentViewController {
    Q_OBJECT

public:
    EditNameViewController(const QString &lastChoose, const std::optional<QString> &imageName,
                           int editRow, QWidget *parent = nullptr);

    void setDelegate(EditNameDelegate *delegate) { m_delegate = delegate; }
    void setLastSelectSection(int section) { m_lastSelectSection = section; }
    int editRow() const { return m_editRow; }
    QLineEdit *nameField() const { return m_field; }
    VtLightingImageView *pictureView() const { return m_picture; }

    // Return in the field: an empty name says "Please input name".
    void confirm();
    virtual void imageViewPress() {}

protected:
    virtual void pushDelegateSelector(const QString &name);
    EditNameDelegate *delegate() const { return m_delegate; }
    void leaveThenCall(std::function<void()> call);
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutContent();

    EditNameDelegate *m_delegate = nullptr;
    int m_editRow;
    int m_lastSelectSection = 0;
    QLineEdit *m_field;
    VtLightingImageView *m_picture = nullptr;
    KeyboardAvoidance *m_keyboard;
};

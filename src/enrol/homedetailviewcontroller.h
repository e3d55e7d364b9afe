// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame/parentviewcontroller.h"

#include <functional>

class KeyboardAvoidance;
class QLabel;
class QLineEdit;

// A modal entry of one line of text: the manual ID entry of the scanner.
class HomeDetailViewController : public ParentViewController {
    Q_OBJECT

public:
    using Finished = std::function<void(const QString &text)>;

    HomeDetailViewController(const QString &title, const QString &prompt, Finished finished,
                             QWidget *parent = nullptr);
    QLineEdit *field() const { return m_field; }
    // Return: an empty field says "Please input ID" and stays; else the text goes back.
    void returnPressed();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutContent();

    QLabel *m_prompt;
    QLineEdit *m_field;
    KeyboardAvoidance *m_keyboard;
    Finished m_finished;
};

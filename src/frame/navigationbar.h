// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

// A screen's own bar: left button, right button (picture or text), title.
class NavigationBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 64;
    static constexpr int kContentTop = 20; // below the status line

    explicit NavigationBar(QWidget *parent = nullptr);

    QPushButton *leftButton() const { return m_left; }
    QPushButton *rightButton() const { return m_right; }
    QLabel *titleLabel() const { return m_title; }

    // A picture button is named for screen readers and tooltips by what it
    // does; a text button by its text unless a name is given.
    void setLeftIcon(const QIcon &icon, const QString &name);
    void setRightIcon(const QIcon &icon, const QString &name);
    void setRightText(const QString &text, const QString &name = {});
    void setTitle(const QString &title);
    // Moves the title label sideways (the bar indicator takes its left).
    void setTitleOffset(int offset);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void layoutParts();
    void fitTitle();

    QPushButton *m_left;
    QPushButton *m_right;
    QLabel *m_title;
    int m_titleOffset = 0;
};

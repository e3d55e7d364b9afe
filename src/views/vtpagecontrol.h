// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A row of dots, one a page, the current one filled. A touch left of the
// middle goes one page back, right of it one page on; with the focus, Left
// and Right do the same.
class VtPageControl : public QWidget {
    Q_OBJECT

public:
    explicit VtPageControl(QWidget *parent = nullptr);

    int numberOfPages() const { return m_pages; }
    void setNumberOfPages(int pages);
    int currentPage() const { return m_current; }
    void setCurrentPage(int page);
    void setColours(const QColor &current, const QColor &other);
    // As the user's touch: the page becomes current and is reported.
    void choosePage(int page);

Q_SIGNALS:
    // The user touched the control and the current page changed.
    void pageChosen(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void pageShown();

    int m_pages = 0;
    int m_current = 0;
    QColor m_currentColour{69, 61, 59};
    QColor m_otherColour{180, 168, 158};
};

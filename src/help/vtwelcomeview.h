// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

class QPushButton;
class VtPageControl;
class VtPagedScrollView;

// What a welcome page says: "title" with "detail", or on the last page "reminder".
struct WelcomePage {
    QString title;
    QString detail;
    QString reminder;
};

// The seven pages shown over the window on the first start. The last one
// carries the start button and a help button.
class VtWelcomeView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPageCount = 7;
    static constexpr int kStartFadeMilliseconds = 1000;
    static constexpr int kHelpFadeMilliseconds = 800;

    explicit VtWelcomeView(QWidget *window);

    static QList<WelcomePage> pageTexts();
    // "welcome_D5_n" on a 640 x 1136 screen, else "welcome_D4_n" (n from 1).
    static QString pictureName(const QSize &windowPoints, int page);

    VtPagedScrollView *pages() const { return m_pages; }
    VtPageControl *pageControl() const { return m_pageControl; }
    QPushButton *startButton() const { return m_start; }
    QPushButton *helpButton() const { return m_help; }

Q_SIGNALS:
    void startPressed();
    void helpPressed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildPages();

    VtPagedScrollView *m_pages;
    VtPageControl *m_pageControl;
    QPushButton *m_start = nullptr;
    QPushButton *m_help = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/screenstack.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class ParentPresentViewController;

// The application's one navigation stack: screens fill it, the top one shows.
// Screens enter and leave by their popType: pushed, sliding up from the home
// menu (0.3 s), or presented modally.
class NavigationStack : public QWidget, public ScreenStack {
    Q_OBJECT

public:
    static constexpr int kSlideMilliseconds = 300;

    explicit NavigationStack(QWidget *parent = nullptr);
    ~NavigationStack() override;

    // Takes ownership of the screen.
    void push(ParentPresentViewController *screen, bool animated = true);
    // The back action of the screen, by its popType.
    void leave(ParentPresentViewController *screen);
    ParentPresentViewController *top() const;
    static NavigationStack *of(QWidget *widget);

    QList<Screen *> screens() const override;
    void popScreen(bool animated) override;
    void popToScreen(Screen *screen, bool animated) override;

Q_SIGNALS:
    void topChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void removeTop();
    void slide(QWidget *screen, int fromY, int toY, std::function<void()> done);

    QList<QPointer<ParentPresentViewController>> m_screens;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "navigationstack.h"

#include "parentpresentviewcontroller.h"

#include <QPropertyAnimation>

NavigationStack::NavigationStack(QWidget *parent) : QWidget(parent) {}

NavigationStack::~NavigationStack() = default;

NavigationStack *NavigationStack::of(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget())
        if (auto *stack = qobject_cast<NavigationStack *>(w))
            return stack;
    return nullptr;
}

ParentPresentViewController *NavigationStack::top() const
{
    return m_screens.isEmpty() ? nullptr : m_screens.constLast().data();
}

QList<Screen *> NavigationStack::screens() const
{
    QList<Screen *> all;
    for (const auto &screen : m_screens)
        if (screen)
            all.append(screen.data());
    return all;
}

void NavigationStack::push(ParentPresentViewController *screen, bool animated)
{
    ParentPresentViewController *below = top();
    screen->setParent(this);
    screen->setGeometry(rect());
    m_screens.append(screen);
    const bool slides = animated && screen->popType() != ParentPresentViewController::Pushed;
    screen->move(0, slides ? height() : 0);
    screen->show();
    screen->raise();
    Q_EMIT topChanged();
    if (!slides) {
        if (below)
            below->hide();
        return;
    }
    QPointer<ParentPresentViewController> hidden(below);
    slide(screen, height(), 0, [hidden] {
        if (hidden)
            hidden->hide();
    });
}

void NavigationStack::leave(ParentPresentViewController *screen)
{
    if (screen != top() || m_screens.size() < 2)
        return;
    if (screen->popType() == ParentPresentViewController::Pushed) {
        popScreen(true);
        return;
    }
    // From the menu or modal: slide down, then go without animation.
    m_screens.at(m_screens.size() - 2)->show();
    QPointer<ParentPresentViewController> leaving(screen);
    slide(screen, screen->y(), height(), [this, leaving] {
        if (leaving && leaving == top())
            popScreen(false);
    });
}

void NavigationStack::popScreen(bool)
{
    if (m_screens.size() < 2)
        return;
    removeTop();
    Q_EMIT topChanged();
}

void NavigationStack::popToScreen(Screen *screen, bool)
{
    const QList<Screen *> all = screens();
    if (!all.contains(screen))
        return;
    while (m_screens.size() > 1 && top() != dynamic_cast<ParentPresentViewController *>(screen))
        removeTop();
    Q_EMIT topChanged();
}

void NavigationStack::removeTop()
{
    QPointer<ParentPresentViewController> leaving = m_screens.takeLast();
    if (ParentPresentViewController *now = top()) {
        now->move(0, 0);
        now->show();
    }
    if (leaving) {
        leaving->hide();
        leaving->deleteLater();
    }
}

void NavigationStack::slide(QWidget *screen, int fromY, int toY, std::function<void()> done)
{
    auto *animation = new QPropertyAnimation(screen, "pos", screen);
    animation->setDuration(kSlideMilliseconds);
    animation->setStartValue(QPoint(0, fromY));
    animation->setEndValue(QPoint(0, toY));
    connect(animation, &QPropertyAnimation::finished, this, std::move(done));
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void NavigationStack::resizeEvent(QResizeEvent *)
{
    for (const auto &screen : m_screens)
        if (screen)
            screen->resize(size());
}

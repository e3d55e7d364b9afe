// SPDX-License-Identifier: GPL-3.0-or-later
#include "fade.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QWidget>

void Fade::run(QWidget *widget, double from, double to, int milliseconds,
               std::function<void()> done)
{
    auto *effect = new QGraphicsOpacityEffect(widget);
    effect->setOpacity(from);
    widget->setGraphicsEffect(effect);
    auto *animation = new QPropertyAnimation(effect, "opacity", effect);
    animation->setDuration(milliseconds);
    animation->setStartValue(from);
    animation->setEndValue(to);
    QObject::connect(animation, &QPropertyAnimation::finished, widget,
                     [widget, to, done = std::move(done)] {
                         if (to >= 1.0)
                             widget->setGraphicsEffect(nullptr); // drawn plainly again
                         if (done)
                             done();
                     });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void Fade::outAndRemove(QWidget *widget, int milliseconds, std::function<void()> done)
{
    run(widget, 1.0, 0.0, milliseconds, [widget, done = std::move(done)] {
        widget->hide();
        widget->deleteLater();
        if (done)
            done();
    });
}

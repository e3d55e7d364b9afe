// SPDX-License-Identifier: GPL-3.0-or-later
#include "onscreenkeyboard.h"

#include <QGuiApplication>
#include <QInputMethod>

OnScreenKeyboard::OnScreenKeyboard()
{
    QInputMethod *method = QGuiApplication::inputMethod();
    connect(method, &QInputMethod::visibleChanged, this, &OnScreenKeyboard::areaChanged);
    connect(method, &QInputMethod::keyboardRectangleChanged, this, &OnScreenKeyboard::areaChanged);
}

QRect OnScreenKeyboard::area() const
{
    if (m_standIn)
        return *m_standIn;
    const QInputMethod *method = QGuiApplication::inputMethod();
    return method->isVisible() ? method->keyboardRectangle().toAlignedRect() : QRect();
}

void OnScreenKeyboard::setStandIn(std::optional<QRect> area)
{
    m_standIn = area;
    Q_EMIT areaChanged();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "onscreenkeyboard.h"

#include <QGuiApplication>
#include <QInputMethod>

namespace {
OnScreenKeyboard *g_keyboard = nullptr; // while its ProgramObjects lives
} // namespace

OnScreenKeyboard *OnScreenKeyboard::instance()
{
    if (!g_keyboard)
        qFatal("OnScreenKeyboard::instance() used while no ProgramObjects owns one");
    return g_keyboard;
}

OnScreenKeyboard::OnScreenKeyboard()
{
    if (g_keyboard)
        qFatal("a second OnScreenKeyboard while one lives");
    g_keyboard = this;
    QInputMethod *method = QGuiApplication::inputMethod();
    connect(method, &QInputMethod::visibleChanged, this, &OnScreenKeyboard::areaChanged);
    connect(method, &QInputMethod::keyboardRectangleChanged, this, &OnScreenKeyboard::areaChanged);
}

OnScreenKeyboard::~OnScreenKeyboard()
{
    g_keyboard = nullptr;
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

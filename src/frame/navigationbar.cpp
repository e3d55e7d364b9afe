// SPDX-License-Identifier: GPL-3.0-or-later
#include "navigationbar.h"

#include <QPainter>

NavigationBar::NavigationBar(QWidget *parent)
    : QWidget(parent), m_left(new QPushButton(this)), m_right(new QPushButton(this)),
      m_title(new QLabel(this))
{
    setFixedHeight(kHeight);
    for (QPushButton *button : {m_left, m_right}) {
        button->setFlat(true);
        button->setIconSize(QSize(24, 24));
        button->setStyleSheet(
            QStringLiteral("QPushButton { color: white; border: none; font-size: 15px; }"));
        button->hide();
    }
    m_left->setObjectName(QStringLiteral("navLeftButton"));
    m_right->setObjectName(QStringLiteral("navRightButton"));
    m_title->setObjectName(QStringLiteral("navTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont font = m_title->font();
    font.setBold(true);
    font.setPixelSize(20);
    m_title->setFont(font);
    m_title->setStyleSheet(QStringLiteral("color: white;"));
}

namespace {
void name(QPushButton *button, const QString &name)
{
    button->setAccessibleName(name);
    button->setToolTip(name);
}
} // namespace

void NavigationBar::setLeftIcon(const QIcon &icon, const QString &what)
{
    m_left->setIcon(icon);
    name(m_left, what);
    m_left->show();
}

void NavigationBar::setRightIcon(const QIcon &icon, const QString &what)
{
    m_right->setText({});
    m_right->setIcon(icon);
    name(m_right, what);
    m_right->show();
}

void NavigationBar::setRightText(const QString &text, const QString &what)
{
    m_right->setIcon({});
    m_right->setText(text);
    name(m_right, what);
    m_right->show();
}

void NavigationBar::setTitle(const QString &title)
{
    m_title->setText(title);
    fitTitle();
}

void NavigationBar::fitTitle()
{
    // Bold 20 as a rule; a longer title gets a smaller size rather than being cut.
    QFont font = m_title->font();
    for (int size = 20; size >= 12; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(m_title->text()) <= m_title->width())
            break;
    }
    m_title->setFont(font);
}

void NavigationBar::setTitleOffset(int offset)
{
    m_titleOffset = offset;
    layoutParts();
}

void NavigationBar::resizeEvent(QResizeEvent *)
{
    layoutParts();
}

void NavigationBar::layoutParts()
{
    const int rowHeight = kHeight - kContentTop;
    m_left->setGeometry(0, kContentTop, 60, rowHeight);
    m_right->setGeometry(width() - 60, kContentTop, 60, rowHeight);
    const int titleWidth = qMax(0, width() - 120);
    m_title->setGeometry((width() - titleWidth) / 2 + m_titleOffset,
                         kContentTop + (rowHeight - 30) / 2, titleWidth, 30);
    fitTitle();
}

void NavigationBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(69, 61, 59));
}

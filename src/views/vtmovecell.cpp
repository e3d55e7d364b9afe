// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtmovecell.h"

#include "elidedlabel.h"
#include "keyboardactivation.h"
#include "keyboardmodality.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>

VtMoveCell::VtMoveCell(QWidget *parent) : QWidget(parent) {}

void VtMoveCell::viewTouched(VtMoveCellTarget *target)
{
    const bool first = !m_target;
    m_target = target;
    if (!first)
        return;
    new KeyboardActivation(
        this, [this] { select("P"); }, QAccessible::ListItem);
    setPanelOffered(true);
}

void VtMoveCell::setPanelOffered(bool offered)
{
    KeyboardActivation *keys = KeyboardActivation::of(this);
    if (!keys)
        return;
    if (offered) // Left or Right: the swipe panel, as a swipe would
        keys->setMenu([this] { select("L"); });
    else
        keys->setMenu({});
}

void VtMoveCell::select(const char *moveType)
{
    if (m_target)
        m_target->VtMoveCellSelector(this, QString::fromLatin1(moveType));
}

void VtMoveCell::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Named by the row's name for a screen reader.
    if (accessibleName().isEmpty())
        if (const auto *name = findChild<ElidedLabel *>())
            setAccessibleName(name->fullText());
}

void VtMoveCell::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (KeyboardModality::showsFocusRing(this)) {
        QPainter painter(this);
        KeyboardActivation::drawFocusRing(painter, rect(), QColor(69, 61, 59));
    }
}

void VtMoveCell::ensurePanel(int height)
{
    if (!m_panel) {
        m_panel = new QWidget(this);
        m_panel->setObjectName(QStringLiteral("swipePanel"));
        m_panel->setStyleSheet(QStringLiteral("background: rgb(69, 61, 59);"));
        m_edit = new QPushButton(tr("Edit"), m_panel);
        m_delete = new QPushButton(tr("Delete"), m_panel);
        m_edit->setObjectName(QStringLiteral("cell_Edit"));
        m_delete->setObjectName(QStringLiteral("cell_Delete"));
        for (QPushButton *button : {m_edit, m_delete})
            button->setStyleSheet(QStringLiteral("color: white; border: none;"));
        connect(m_delete, &QPushButton::clicked, this, [this] {
            if (m_target)
                m_target->VtMoveCellSelector(this, QStringLiteral("D"));
        });
        connect(m_edit, &QPushButton::clicked, this, [this] {
            if (m_target)
                m_target->VtMoveCellSelector(this, QStringLiteral("E"));
        });
        m_panel->hide();
        // Tab reaches the panel's buttons right after their row.
        QWidget::setTabOrder(this, m_edit);
        QWidget::setTabOrder(m_edit, m_delete);
    }
    m_panel->resize(kPanelWidth, height);
    // Centres 32.5 (Edit) and 97.5 (Delete) points from the panel's left.
    const int top = (height - kButtonSide) / 2;
    m_edit->setGeometry(int(32.5 - kButtonSide / 2.0), top, kButtonSide, kButtonSide);
    m_delete->setGeometry(int(97.5 - kButtonSide / 2.0), top, kButtonSide, kButtonSide);
}

bool VtMoveCell::getIfEditViewShow() const
{
    return !m_open;
}

bool VtMoveCell::showOutSettingViewWithCellHeight(int height, int mode)
{
    const bool wasClosed = !m_open;
    switch (mode) {
    case Toggle:
        ensurePanel(height);
        slidePanel(!m_open);
        break;
    case Close:
        if (m_open)
            slidePanel(false);
        break;
    case HideNow:
        if (m_slide)
            m_slide->stop();
        if (m_panel)
            m_panel->hide();
        m_open = false;
        break;
    case ShowNow:
        ensurePanel(height);
        if (m_slide)
            m_slide->stop();
        m_panel->move(width() - kPanelWidth, 0);
        m_panel->show();
        m_panel->raise();
        m_open = true;
        return true;
    default:
        break;
    }
    return wasClosed;
}

void VtMoveCell::slidePanel(bool open)
{
    if (m_slide)
        m_slide->stop();
    m_open = open;
    m_panel->show();
    m_panel->raise();
    auto *slide = new QPropertyAnimation(m_panel, "pos", m_panel);
    slide->setDuration(kSlideMilliseconds);
    slide->setStartValue(open ? QPoint(width(), 0) : m_panel->pos());
    slide->setEndValue(open ? QPoint(width() - kPanelWidth, 0) : QPoint(width(), 0));
    if (!open)
        connect(slide, &QPropertyAnimation::finished, m_panel, &QWidget::hide);
    m_slide = slide;
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

void VtMoveCell::mousePressEvent(QMouseEvent *event)
{
    m_start = event->position();
    m_touching = true;
    m_moved = false;
}

void VtMoveCell::mouseMoveEvent(QMouseEvent *)
{
    if (!m_touching || m_moved)
        return;
    m_moved = true;
    if (m_target)
        m_target->VtMoveCellTableIfCanMoved(QStringLiteral("0"));
}

void VtMoveCell::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_touching)
        finishTouch(event->position(), false);
}

void VtMoveCell::finishTouch(const QPointF &end, bool cancelled)
{
    m_touching = false;
    if (!m_target)
        return;
    m_target->VtMoveCellTableIfCanMoved(QStringLiteral("1"));
    const double dx = end.x() - m_start.x();
    const double dy = end.y() - m_start.y();
    if (-dx > kThreshold)
        m_target->VtMoveCellSelector(this, QStringLiteral("L"));
    else if (dx > kThreshold)
        m_target->VtMoveCellSelector(this, QStringLiteral("R"));
    if (!cancelled && qAbs(dx) < kThreshold && qAbs(dy) < kThreshold)
        m_target->VtMoveCellSelector(this, QStringLiteral("P"));
}

void VtMoveCell::resizeEvent(QResizeEvent *)
{
    if (m_panel && m_open && !m_slide)
        m_panel->move(width() - kPanelWidth, 0);
}

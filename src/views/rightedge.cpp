// SPDX-License-Identifier: GPL-3.0-or-later
#include "rightedge.h"

#include <QEvent>
#include <QWidget>

namespace {
class EdgeRule final : public QObject {
public:
    EdgeRule(QWidget *child, int margin, bool stretch)
        : QObject(child), m_child(child), m_margin(margin), m_stretch(stretch)
    {
        child->parentWidget()->installEventFilter(this);
        apply();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && watched == m_child->parentWidget())
            apply();
        return false;
    }

private:
    void apply()
    {
        const int right = m_child->parentWidget()->width() - m_margin;
        if (m_stretch)
            m_child->resize(qMax(0, right - m_child->x()), m_child->height());
        else
            m_child->move(right - m_child->width(), m_child->y());
    }

    QWidget *m_child;
    int m_margin;
    bool m_stretch;
};
} // namespace

void RightEdge::keep(QWidget *child, int margin)
{
    new EdgeRule(child, margin, false);
}

void RightEdge::stretch(QWidget *child, int margin)
{
    new EdgeRule(child, margin, true);
}

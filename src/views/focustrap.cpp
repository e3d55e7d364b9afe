// SPDX-License-Identifier: GPL-3.0-or-later
#include "focustrap.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
// Lives as long as the layer; gives the focus back when the layer goes.
class FocusReturn final : public QObject {
public:
    FocusReturn(QWidget *layer, QWidget *before) : QObject(layer), m_before(before) {}
    ~FocusReturn() override
    {
        if (m_before && m_before->isVisible())
            m_before->setFocus(Qt::OtherFocusReason);
    }

private:
    QPointer<QWidget> m_before;
};

QList<QWidget *> controlsOf(QWidget *layer)
{
    QList<QWidget *> controls;
    for (QWidget *widget = layer->nextInFocusChain(); widget != layer;
         widget = widget->nextInFocusChain()) {
        if (layer->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) &&
            widget->isVisible() && widget->isEnabled())
            controls << widget;
    }
    // In the order they are seen: top to bottom, then left to right.
    std::stable_sort(controls.begin(), controls.end(), [layer](QWidget *a, QWidget *b) {
        const QPoint pa = a->mapTo(layer, QPoint(0, 0));
        const QPoint pb = b->mapTo(layer, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return controls;
}
} // namespace

void FocusTrap::enter(QWidget *layer)
{
    QWidget *before = QApplication::focusWidget();
    if (before && layer->isAncestorOf(before))
        return;
    new FocusReturn(layer, before);
    layer->setFocus(Qt::OtherFocusReason);
}

bool FocusTrap::cycle(QWidget *layer, bool next)
{
    const QList<QWidget *> controls = controlsOf(layer);
    if (controls.isEmpty())
        return true; // nothing to reach, and nothing beneath either
    const qsizetype at = controls.indexOf(QApplication::focusWidget());
    const qsizetype count = controls.size();
    const qsizetype to = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    controls.at(to)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

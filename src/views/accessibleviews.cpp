// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibleviews.h"

#include "keyboardactivation.h"
#include "vtpagecontrol.h"
#include "vtsimpleslider.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace {
class ActivatableAccessible : public QAccessibleWidget {
public:
    ActivatableAccessible(QWidget *widget, KeyboardActivation *activation)
        : QAccessibleWidget(widget, activation->role()), m_activation(activation)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const QVariant expanded = widget()->property(KeyboardActivation::kExpandedProperty);
        if (expanded.isValid()) {
            state.expandable = true;
            state.expanded = expanded.toBool();
            state.collapsed = !expanded.toBool();
        }
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        names.prepend(pressAction());
        if (m_activation && m_activation->hasMenu())
            names << showMenuAction();
        return names;
    }

    void doAction(const QString &name) override
    {
        if (!m_activation)
            return;
        if (name == pressAction())
            m_activation->activate();
        else if (name == showMenuAction())
            m_activation->showMenu();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QPointer<KeyboardActivation> m_activation;
};

// A slider of the value interface: current, bounds, step and the value read out.
class ValueAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ValueAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Slider) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Value)
            return valueText();
        return QAccessibleWidget::text(which);
    }

protected:
    virtual QString valueText() const = 0;
};

class LevelAccessible : public ValueAccessible {
public:
    explicit LevelAccessible(VtSimpleSlider *slider) : ValueAccessible(slider) {}
    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant &value) override { slider()->moveTo(value.toDouble()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override
    {
        return (slider()->maximum() - slider()->minimum()) / 10.0;
    }

protected:
    QString valueText() const override
    {
        return QStringLiteral("%1%").arg(qRound(slider()->position()));
    }

private:
    VtSimpleSlider *slider() const { return static_cast<VtSimpleSlider *>(widget()); }
};

class PagesAccessible : public ValueAccessible {
public:
    explicit PagesAccessible(VtPageControl *pages) : ValueAccessible(pages) {}
    QVariant currentValue() const override { return pages()->currentPage() + 1; }
    void setCurrentValue(const QVariant &value) override { pages()->choosePage(value.toInt() - 1); }
    QVariant maximumValue() const override { return qMax(1, pages()->numberOfPages()); }
    QVariant minimumValue() const override { return 1; }
    QVariant minimumStepSize() const override { return 1; }

protected:
    QString valueText() const override
    {
        return VtPageControl::tr("%1 of %2")
            .arg(pages()->currentPage() + 1)
            .arg(qMax(1, pages()->numberOfPages()));
    }

private:
    VtPageControl *pages() const { return static_cast<VtPageControl *>(widget()); }
};

constexpr char kReadOnlyRow[] = "ardentiaReadOnlyRow";

QAccessibleInterface *customViews(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (auto *slider = qobject_cast<VtSimpleSlider *>(widget))
        return new LevelAccessible(slider);
    if (auto *pages = qobject_cast<VtPageControl *>(widget))
        return new PagesAccessible(pages);
    if (KeyboardActivation *activation = KeyboardActivation::of(widget))
        return new ActivatableAccessible(widget, activation);
    if (widget->property(kReadOnlyRow).toBool())
        return new QAccessibleWidget(widget, QAccessible::ListItem);
    return nullptr;
}
} // namespace

void AccessibleViews::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(customViews);
        return true;
    }();
    Q_UNUSED(installed);
}

void AccessibleViews::renew(QWidget *widget)
{
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void AccessibleViews::markReadOnlyRow(QWidget *row)
{
    install();
    row->setProperty(kReadOnlyRow, true);
    renew(row);
}

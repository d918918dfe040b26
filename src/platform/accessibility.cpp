// SPDX-License-Identifier: MIT
#include "platform/accessibility.h"

#include "platform/controls.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace platform {

namespace {

constexpr char decorativeProperty[] = "platformDecorative";

class ValueLabelAccessible : public QAccessibleWidget
{
public:
    explicit ValueLabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

class DecorativeAccessible : public QAccessibleWidget
{
public:
    explicit DecorativeAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::NoRole)
    {
    }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
};

QAccessibleInterface *labelAccessible(const QString &, QObject *object)
{
    // Rules and panels only structure the window.
    if (qobject_cast<LineControl *>(object) || qobject_cast<ShapeControl *>(object))
        return new DecorativeAccessible(static_cast<QWidget *>(object));
    auto *label = qobject_cast<QLabel *>(object);
    if (!label || qobject_cast<ImageControl *>(object))
        return nullptr;
    if (label->property(decorativeProperty).toBool())
        return new DecorativeAccessible(label);
    if (!label->accessibleName().isEmpty())
        return new ValueLabelAccessible(label);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(labelAccessible);
}

namespace {
// A label already announced (its caption was set while assistive technology
// listened) keeps its old interface unless it is dropped.
void forgetInterface(QLabel *label)
{
    if (QAccessibleInterface *existing = QAccessible::queryAccessibleInterface(label))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}
} // namespace

void markDecorative(QLabel *label)
{
    label->setProperty(decorativeProperty, true);
    forgetInterface(label);
}

void nameValueLabel(QLabel *label, const QString &name)
{
    label->setAccessibleName(name);
    forgetInterface(label);
}

} // namespace platform

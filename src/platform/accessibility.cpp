// SPDX-License-Identifier: MIT
#include "platform/accessibility.h"

#include "platform/controls.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

namespace platform {

namespace {

constexpr char decorativeProperty[] = "platformDecorative";

// Gives the caption as text, so that a reader can read it like any other
// text and follow its changes.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ValueLabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return caption();
        return QAccessibleWidget::text(t);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return caption().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(caption().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString caption() const { return static_cast<QLabel *>(widget())->text(); }
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
// A widget already announced (its caption was set while assistive technology
// listened) keeps its old interface unless it is dropped.
void forgetInterface(QWidget *widget)
{
    if (QAccessibleInterface *existing = QAccessible::queryAccessibleInterface(widget))
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

void showValue(QLabel *label, const QString &text)
{
    const QString before = label->text();
    if (before == text)
        return;
    label->setText(text);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(label, 0, before, text);
        QAccessible::updateAccessibility(&event);
    }
}

namespace {

class ReadingOrderAccessible : public QAccessibleWidget
{
public:
    ReadingOrderAccessible(QWidget *container, const QList<QWidget *> &children)
        : QAccessibleWidget(container, QAccessible::Client)
        , m_children(children.cbegin(), children.cend())
    {
    }
    int childCount() const override { return int(m_children.size()); }
    QAccessibleInterface *child(int index) const override
    {
        QWidget *widget = m_children.value(index);
        return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        const QObject *object = child->object();
        for (qsizetype i = 0; i < m_children.size(); ++i) {
            if (m_children[i] == object)
                return int(i);
        }
        return -1;
    }

private:
    QList<QPointer<QWidget>> m_children;
};

} // namespace

void setReadingOrder(QWidget *container, const QList<QWidget *> &children)
{
    forgetInterface(container);
    QAccessible::registerAccessibleInterface(new ReadingOrderAccessible(container, children));
}

void describe(QWidget *widget, const QString &description)
{
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

} // namespace platform

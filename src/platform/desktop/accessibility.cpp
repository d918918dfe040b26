// SPDX-License-Identifier: MIT
#include "platform/desktop/accessibility.h"
#include "platform/desktop/accessibilitybridge.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QLabel>
#include <QPointer>


namespace platform {

namespace {

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
    // Read as the number on show, in review as much as in say-all.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
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

} // namespace

void markDecorative(QWidget *widget)
{
    QAccessible::registerAccessibleInterface(new DecorativeAccessible(widget));
}

void markValue(QLabel *label)
{
    QAccessible::registerAccessibleInterface(new ValueLabelAccessible(label));
    // A label without a name of its own announces a new name at every
    // caption, listened to or not, which a keystroke pays three times over;
    // the interface gives the name, and showValue tells a listening reader.
    label->setAccessibleName(QStringLiteral("value"));
}

void showValue(QLabel *label, const QString &text)
{
    const QString before = label->text();
    if (before == text)
        return;
    label->setText(text);
    if (QAccessible::isActive()) {
        QAccessibleEvent renamed(label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
        QAccessibleTextUpdateEvent updated(label, 0, before, text);
        QAccessible::updateAccessibility(&updated);
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
    // Qt has made the container's interface as it was shown or given children.
    if (QAccessibleInterface *existing = QAccessible::queryAccessibleInterface(container))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    QAccessible::registerAccessibleInterface(new ReadingOrderAccessible(container, children));
}

void readOnOpening(QWidget *window, QWidget *focus, const QString &text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    Q_UNUSED(focus);
    // Told once the window system has shown the window, after the key that
    // opened it; the filter goes with the window.
    class Announcer final : public QObject
    {
    public:
        Announcer(QWidget *window, QString text)
            : QObject(window)
            , m_text(std::move(text))
        {
            window->installEventFilter(this);
        }
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Show && QAccessible::isActive()) {
                QMetaObject::invokeMethod(this, [this, watched] {
                    QAccessibleAnnouncementEvent announcement(watched, m_text);
                    QAccessible::updateAccessibility(&announcement);
                }, Qt::QueuedConnection);
            }
            return false;
        }

    private:
        QString m_text;
    };
    new Announcer(window, text);
#else
    Q_UNUSED(window);
    focus->setAccessibleDescription(text);
#endif
}

void describe(QWidget *widget, const QString &description)
{
    if (widget->accessibleDescription() == description)
        return;
    widget->setAccessibleDescription(description);
    if (QAccessible::isActive())
        bridgeDescriptionChanged(widget, description);
}

} // namespace platform

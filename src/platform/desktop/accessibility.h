// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

class QLabel;
class QString;
class QWidget;

namespace platform {

// A reader meets labels the way a sighted user does: a label that shows a
// value reads as that value, and a purely decorative mark ("=", "$", a rule)
// is not announced at all. Both are marked as the control is made, before
// anything asks for its accessible interface.
void markDecorative(QWidget *widget);
// The caption is the label's name and text; what the value is, the reading
// order tells.
void markValue(QLabel *label);

// Writes a value label's caption; a reader is told of each change, and of
// nothing when the text stays the same.
void showValue(QLabel *label, const QString &text);

// A reader walks the container's children in this order, and meets no other.
void setReadingOrder(QWidget *container, const QList<QWidget *> &children);

// A reader hears the window's text as the window opens, once: with the
// control that has the focus where Qt cannot announce (before 6.8), else as
// an announcement, since Orca 48 cuts off what it says of a window opened by
// a key as it echoes that key, and tells the focus without its description.
void readOnOpening(QWidget *window, QWidget *focus, const QString &text);

// Sets what a reader hears after the widget's name, telling it only of a
// change.
void describe(QWidget *widget, const QString &description);

} // namespace platform

// SPDX-License-Identifier: MIT
#pragma once

// The control families a window is built from. Each is a real widget whose
// objectName is the control's name.

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace platform {

// A single-line text box. Besides QLineEdit's textChanged (every change of
// the text, typed or written) it raises clicked when the user clicks into it.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

Q_SIGNALS:
    void clicked();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

class LineControl : public QWidget
{
    Q_OBJECT
public:
    explicit LineControl(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A rectangle filled with its colour and outlined in black.
class ShapeControl : public QWidget
{
    Q_OBJECT
public:
    ShapeControl(QColor fill, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
};

// A picture at its natural size, crisp on dense screens too: the copy is
// chosen for the screen the control is painted on, which may change.
class ImageControl : public QLabel
{
    Q_OBJECT
public:
    ImageControl(const QString &picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void choosePicture();
    QString m_picture;
    bool m_dense = false; // the picture was chosen for a dense screen
};

} // namespace platform

// SPDX-License-Identifier: MIT
#include "platform/forms/controls.h"

#include "platform/desktop/accessibility.h"
#include "platform/forms/pictures.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    // Qt selects the text as Tab brings the focus, before a reader learns of
    // the focus, so the value and "selected" were heard before the name.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) {
        QLineEdit::focusInEvent(event);
        return;
    }
    QFocusEvent withoutSelection(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&withoutSelection);
    // Selected from the end back to the start: the caret then stands at the
    // start of the line, which a reader reads out with the name.
    QMetaObject::invokeMethod(
        this, [this] { setSelection(int(text().size()), -int(text().size())); }, Qt::QueuedConnection);
}

LineControl::LineControl(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    markDecorative(this);
}

// Lines and outlines are one logical pixel at every scale, filled rather than
// stroked so that no fractional scale can smear or shift them.
void LineControl::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Qt::black);
}

ShapeControl::ShapeControl(QColor fill, QWidget *parent)
    : QWidget(parent)
    , m_fill(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    markDecorative(this);
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), m_fill);
}

ImageControl::ImageControl(const QString &picture, QWidget *parent)
    : QLabel(parent)
    , m_picture(picture)
{
    choosePicture();
}

void ImageControl::choosePicture()
{
    m_dense = devicePixelRatioF() > 1;
    setPixmap(loadPicture(m_picture, devicePixelRatioF()));
}

void ImageControl::paintEvent(QPaintEvent *event)
{
    // The window may have moved to a screen of another density.
    if (m_dense != (devicePixelRatioF() > 1))
        choosePicture();
    QLabel::paintEvent(event);
}

} // namespace platform

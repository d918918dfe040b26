// SPDX-License-Identifier: MIT
#include "platform/controls.h"

#include "platform/pictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

LineControl::LineControl(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
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

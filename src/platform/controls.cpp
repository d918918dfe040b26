// SPDX-License-Identifier: MIT
#include "platform/controls.h"

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

void LineControl::paintEvent(QPaintEvent *)
{
    // One device pixel at any scale, like the window system's own lines.
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(QPointF(0, 0.5), QPointF(width(), 0.5));
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
    painter.fillRect(rect(), m_fill);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace platform

// SPDX-License-Identifier: MIT
#include "platform/pictures.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>
#include <QtEndian>

#include <functional>
#include <vector>

namespace platform {

namespace {

// Reads an uncompressed 24-bit Windows bitmap; a null image for any other
// kind, which then goes to Qt's reader.
QImage readPlainBitmap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes + at); };
    const auto i32 = [&](int at) { return qFromLittleEndian<qint32>(bytes + at); };
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M' || u32(14) < 40 || u16(28) != 24 || u32(30) != 0)
        return {};
    const qint64 offset = u32(10);
    const qint64 width = i32(18);
    const qint64 height = i32(22);
    const qint64 rows = height < 0 ? -height : height;
    const qint64 stride = (width * 3 + 3) & ~qint64(3);
    if (width <= 0 || rows == 0 || width > 32768 || rows > 32768 || offset + stride * rows > data.size())
        return {};
    // Straight into the window system's own pixel format, which a pixmap
    // then takes without converting.
    QImage image(int(width), int(rows), QImage::Format_RGB32);
    for (qint64 row = 0; row < rows; ++row) {
        const qint64 from = height > 0 ? rows - 1 - row : row; // rows are stored bottom up
        const uchar *in = bytes + offset + from * stride;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(row)));
        for (qint64 x = 0; x < width; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    return image;
}

// A PNG file read by the PNG reader alone: asked to guess, Qt's image reader
// first loads every image format plugin on the system.
QImage readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// An icon made only when something first draws or measures it.
class LazyIconEngine final : public QIconEngine
{
public:
    explicit LazyIconEngine(std::function<QIcon()> make)
        : m_make(std::move(make))
    {
    }

    QIconEngine *clone() const override { return new LazyIconEngine(*this); }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull())
            m_icon = m_make();
        return m_icon;
    }

    std::function<QIcon()> m_make;
    QIcon m_icon;
};

// The desktop's style, but for the extension button's icon, which a menu bar
// asks for as it is built and shows only when its menus do not fit.
class DeferredIconStyle final : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (option || (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton))
            return QProxyStyle::standardIcon(icon, option, widget);
        return QIcon(new LazyIconEngine(
            [style = QPointer<const QStyle>(baseStyle()), icon, widget = QPointer<const QWidget>(widget)] {
                return style ? style->standardIcon(icon, nullptr, widget) : QIcon();
            }));
    }
};

} // namespace

QPixmap loadPicture(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const QFileInfo file(path);
        QPixmap detailed(file.path() + '/' + file.completeBaseName() + QStringLiteral("@2x.png"));
        if (!detailed.isNull()) {
            detailed.setDevicePixelRatio(2);
            return detailed;
        }
    }
    const QImage plain = readPlainBitmap(path);
    return plain.isNull() ? QPixmap(path) : QPixmap::fromImage(plain);
}

QIcon lazyIcon(const QString &pattern, std::initializer_list<int> sizes)
{
    return QIcon(new LazyIconEngine([pattern, sizes = std::vector<int>(sizes)] {
        QIcon icon;
        for (int size : sizes) {
            icon.addPixmap(QPixmap::fromImage(readPng(pattern.arg(size))));
            if (qApp->devicePixelRatio() > 1)
                icon.addPixmap(QPixmap::fromImage(readPng(pattern.arg(QString::number(size) + QStringLiteral("@2x")))));
        }
        return icon;
    }));
}

void deferStyleIcons()
{
    QApplication::setStyle(new DeferredIconStyle);
}

} // namespace platform

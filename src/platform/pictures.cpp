// SPDX-License-Identifier: MIT
#include "platform/pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QIconEngine>
#include <QImage>
#include <QtEndian>

#include <cstring>

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
    QImage image(int(width), int(rows), QImage::Format_BGR888);
    for (qint64 row = 0; row < rows; ++row) {
        const qint64 from = height > 0 ? rows - 1 - row : row; // rows are stored bottom up
        std::memcpy(image.scanLine(int(row)), bytes + offset + from * stride, size_t(width * 3));
    }
    return image;
}

class LazyIconEngine final : public QIconEngine
{
public:
    LazyIconEngine(const QString &pattern, std::initializer_list<int> sizes)
        : m_pattern(pattern)
        , m_sizes(sizes)
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
        if (m_icon.isNull()) {
            for (int size : m_sizes) {
                m_icon.addFile(m_pattern.arg(size), QSize(size, size));
                m_icon.addFile(m_pattern.arg(QString::number(size) + QStringLiteral("@2x")), QSize(2 * size, 2 * size));
            }
        }
        return m_icon;
    }

    QString m_pattern;
    std::vector<int> m_sizes;
    QIcon m_icon;
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
    return QIcon(new LazyIconEngine(pattern, sizes));
}

} // namespace platform

// SPDX-License-Identifier: MIT
#include "dib.h"

#include <QHash>

#include <cstdint>
#include <stdexcept>

namespace artwork {
namespace {

void put16(QByteArray &out, std::uint16_t v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void put32(QByteArray &out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xff));
}

int paddedRowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void putInfoHeader(QByteArray &out, int width, int height, int bitsPerPixel,
                   std::uint32_t imageBytes, std::uint32_t coloursUsed)
{
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1);
    put16(out, std::uint16_t(bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835); // 72 dpi; readers ignore it but zero confuses some tools
    put32(out, 2835);
    put32(out, coloursUsed);
    put32(out, 0);
}

// Bit set = transparent. Rows bottom-up like the colour data above it.
QByteArray andMask(const QImage &img)
{
    const int stride = paddedRowBytes(img.width(), 1);
    QByteArray mask;
    mask.reserve(stride * img.height());
    for (int y = img.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const auto *px = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(px[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        mask.append(row);
    }
    return mask;
}

QByteArray paletteDib(const QImage &img)
{
    // Index 0 stays black and is only ever used under a set mask bit, so
    // every visible pixel maps to a real colour of the picture.
    QList<QRgb> palette{qRgb(0, 0, 0)};
    QHash<QRgb, int> indexOf;
    const int w = img.width();
    const int h = img.height();
    const int stride = paddedRowBytes(w, 8);

    QByteArray pixels;
    pixels.reserve(stride * h);
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const auto *px = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = qAlpha(px[x]);
            if (a == 0)
                continue;
            if (a != 255)
                throw std::runtime_error("palette icon image has partial alpha");
            const QRgb rgb = px[x] & 0x00ffffffu;
            auto it = indexOf.constFind(rgb);
            if (it == indexOf.constEnd()) {
                if (palette.size() == 256)
                    throw std::runtime_error("palette icon image has too many colours");
                it = indexOf.insert(rgb, int(palette.size()));
                palette.append(rgb);
            }
            row[x] = char(it.value());
        }
        pixels.append(row);
    }
    const QByteArray mask = andMask(img);

    QByteArray out;
    putInfoHeader(out, w, 2 * h, 8, std::uint32_t(pixels.size() + mask.size()), 256);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0;
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    out.append(pixels);
    out.append(mask);
    return out;
}

QByteArray bgraDib(const QImage &img)
{
    const int w = img.width();
    const int h = img.height();
    QByteArray pixels;
    pixels.reserve(w * h * 4);
    for (int y = h - 1; y >= 0; --y) {
        const auto *px = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            pixels.append(char(qBlue(px[x])));
            pixels.append(char(qGreen(px[x])));
            pixels.append(char(qRed(px[x])));
            pixels.append(char(qAlpha(px[x])));
        }
    }
    // Old readers that ignore alpha still get a usable cut-out from the mask.
    const QByteArray mask = andMask(img);

    QByteArray out;
    putInfoHeader(out, w, 2 * h, 32, std::uint32_t(pixels.size() + mask.size()), 0);
    out.append(pixels);
    out.append(mask);
    return out;
}

} // namespace

QByteArray encodeIco(const QList<IconEntry> &entries)
{
    QList<QByteArray> dibs;
    for (const IconEntry &e : entries) {
        const QImage img = e.image.convertToFormat(QImage::Format_ARGB32);
        if (img.width() != img.height() || img.width() < 1 || img.width() > 255)
            throw std::runtime_error("icon images must be square and 1..255 px");
        dibs.append(e.kind == IconEntry::Kind::Palette8 ? paletteDib(img) : bgraDib(img));
    }

    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon, not cursor
    put16(out, std::uint16_t(entries.size()));

    std::uint32_t offset = 6 + 16 * std::uint32_t(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const int size = entries[i].image.width();
        const bool palette = entries[i].kind == IconEntry::Kind::Palette8;
        out.append(char(size));
        out.append(char(size));
        out.append('\0'); // 0 = 256 colours or more
        out.append('\0');
        put16(out, 1);
        put16(out, palette ? 8 : 32);
        put32(out, std::uint32_t(dibs[i].size()));
        put32(out, offset);
        offset += std::uint32_t(dibs[i].size());
    }
    for (const QByteArray &dib : dibs)
        out.append(dib);
    return out;
}

QByteArray encodeBmp24(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    const int h = img.height();
    const int stride = paddedRowBytes(w, 24);
    const std::uint32_t pixelBytes = std::uint32_t(stride) * std::uint32_t(h);
    const std::uint32_t dataOffset = 14 + 40;

    QByteArray out;
    out.append("BM", 2);
    put32(out, dataOffset + pixelBytes);
    put32(out, 0);
    put32(out, dataOffset);
    putInfoHeader(out, w, h, 24, pixelBytes, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto *px = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(qBlue(px[x]));
            row[3 * x + 1] = char(qGreen(px[x]));
            row[3 * x + 2] = char(qRed(px[x]));
        }
        out.append(row);
    }
    return out;
}

} // namespace artwork

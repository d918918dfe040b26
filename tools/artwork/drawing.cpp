// SPDX-License-Identifier: MIT
#include "drawing.h"

#include <QFont>
#include <QFontInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <stdexcept>

namespace artwork {
namespace {

// Font families are matched loosely by fontconfig; a silent fallback would
// change every picture, so refuse to draw with anything but the real face.
QFont requireFont(const QString &family, QFont::Weight weight, const char *debianPackage)
{
    QFont font(family);
    font.setWeight(weight);
    font.setPixelSize(400); // outlines are scaled afterwards; large keeps hinting out of it
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    const QFontInfo info(font);
    if (info.family().compare(family, Qt::CaseInsensitive) != 0 || info.weight() != weight) {
        throw std::runtime_error(QStringLiteral("font \"%1\" (weight %2) resolved to \"%3\" (weight %4); "
                                                "install the Debian package %5")
                                     .arg(family)
                                     .arg(int(weight))
                                     .arg(info.family())
                                     .arg(info.weight())
                                     .arg(QLatin1String(debianPackage))
                                     .toStdString());
    }
    return font;
}

QPainterPath textPath(const QFont &font, const QString &text)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.setFillRule(Qt::WindingFill);
    return path;
}

// Maps `path` so that its outline bounds fill `target` exactly.
QPainterPath fitted(const QPainterPath &path, const QRectF &target)
{
    const QRectF src = path.boundingRect();
    QTransform t;
    t.translate(target.left(), target.top());
    t.scale(target.width() / src.width(), target.height() / src.height());
    t.translate(-src.left(), -src.top());
    return t.map(path);
}

QImage blank(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

} // namespace

QImage dollarGlyph(const DollarDesign &d, int scale)
{
    // fonts-liberation2: a plain bold grotesque S reads best at 16 px.
    static const QFont sans = requireFont(QStringLiteral("Liberation Sans"), QFont::Bold,
                                          "fonts-liberation2");
    static const QPainterPath s = textPath(sans, QStringLiteral("S"));

    const int w = d.width * scale;
    const int h = d.height * scale;
    QImage cover(w, h, QImage::Format_ARGB32_Premultiplied);
    cover.fill(Qt::transparent);
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const int rise = d.protrusion * scale;
        p.drawPath(fitted(s, QRectF(0, rise, w, h - 2 * rise)));
        // Pixel-aligned, so painting them over the S is an exact union.
        p.drawRect(QRect(d.strokeLeft * scale, 0, d.strokeWidth * scale, h));
        p.drawRect(QRect(d.strokeRight * scale, 0, d.strokeWidth * scale, h));
    }

    // Rebuild from coverage alone so the colour stays exactly (0,128,0) at
    // every alpha instead of picking up rounding from un-premultiplying.
    QImage glyph(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(cover.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(glyph.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = qAlpha(src[x]);
            dst[x] = a == 0 ? 0u : ((QRgb(a) << 24) | (kIconGreen & 0x00ffffffu));
        }
    }
    return glyph;
}

QImage thresholded(const QImage &glyph)
{
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *px = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            px[x] = qAlpha(px[x]) >= 128 ? kIconGreen : 0u;
    }
    return out;
}

QImage iconCanvas(int size, const QImage &glyph)
{
    QImage out(size, size, QImage::Format_ARGB32);
    out.fill(0u);
    const int ox = (size - glyph.width()) / 2;
    const int oy = (size - glyph.height()) / 2;
    for (int y = 0; y < glyph.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(glyph.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(oy + y)) + ox;
        std::copy(src, src + glyph.width(), dst);
    }
    return out;
}

QImage banner(int scale)
{
    // fonts-leckerli-one: fat, rounded, cheerful letters that take a gradient.
    static const QFont cartoon = requireFont(QStringLiteral("Leckerli One"), QFont::Normal,
                                             "fonts-leckerli-one");
    static const QPainterPath word = textPath(cartoon, QStringLiteral("Tillomar"));

    constexpr qreal outline = 2.0;
    constexpr qreal shadow = 2.5;
    // Keep clear of the border so the background reaches every edge pixel
    // untouched and the picture blends into a window of the same colour.
    const QRectF room(6, 4, kArtWidth - 12, kArtHeight - 8);
    const QRectF src = word.boundingRect();
    const qreal k = std::min((room.width() - outline - shadow) / src.width(),
                             (room.height() - outline - shadow) / src.height());
    const QSizeF inked(src.width() * k, src.height() * k);
    const QRectF box(room.left() + (room.width() - shadow - inked.width()) / 2,
                     room.top() + (room.height() - shadow - inked.height()) / 2, inked.width(),
                     inked.height());
    const QPainterPath letters = fitted(word, box);

    QImage img = blank(kArtWidth * scale, kArtHeight * scale, kBannerBack);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    const QPen roundPen(Qt::black, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(QPen(QColor(196, 190, 120), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(196, 190, 120));
    p.drawPath(letters.translated(shadow, shadow));

    QLinearGradient fill(0, box.top(), 0, box.bottom());
    fill.setColorAt(0.0, QColor(128, 128, 0));
    fill.setColorAt(0.55, QColor(214, 200, 30));
    fill.setColorAt(1.0, QColor(255, 230, 60));
    p.setPen(roundPen);
    p.setBrush(fill);
    p.drawPath(letters);
    p.end();
    return img;
}

namespace {

struct WordmarkLine {
    QString text;
    QRect ink;       // pixel columns/rows the line must cover
    qreal spacing;   // gap between letters, in line heights
};

void drawWordmarkLine(QPainter &p, const QFont &font, const WordmarkLine &line, qreal outline)
{
    // Each letter is laid out on its own so the stretch widens the letters
    // and the remaining room becomes even letter spacing.
    QList<QPainterPath> glyphs;
    QRectF lineBox;
    for (const QChar c : line.text) {
        glyphs.append(textPath(font, QString(c)));
        lineBox = lineBox.united(glyphs.last().boundingRect());
    }

    // The outline pen reaches outline/2 past the filled shape.
    const qreal reach = outline / 2;
    const QRectF inner = QRectF(line.ink).adjusted(reach, reach, -reach, -reach);
    const qreal sy = inner.height() / lineBox.height();
    const qreal gap = line.spacing * inner.height();
    qreal naturalWidth = 0;
    for (const QPainterPath &g : glyphs)
        naturalWidth += g.boundingRect().width();
    // Whatever the spacing leaves over widens the letters themselves.
    const qreal sx = (inner.width() - gap * qreal(glyphs.size() - 1)) / naturalWidth;
    if (sx < sy)
        throw std::runtime_error("word mark line too narrow for its letters");

    QPainterPath shape;
    qreal x = inner.left();
    for (const QPainterPath &g : glyphs) {
        const QRectF b = g.boundingRect();
        const qreal w = b.width() * sx;
        QTransform t;
        t.translate(x, inner.top());
        t.scale(sx, sy);
        t.translate(-b.left(), -lineBox.top());
        shape.addPath(t.map(g));
        x += w + gap;
    }
    shape.setFillRule(Qt::WindingFill);

    QLinearGradient fill(inner.left(), 0, inner.right(), 0);
    const QColor navy(25, 26, 65);
    const QColor violet(110, 110, 200);
    fill.setColorAt(0.0, navy);
    fill.setColorAt(0.5, violet);
    fill.setColorAt(1.0, navy);
    p.setPen(QPen(QColor(12, 12, 34), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    // Acute corners of the stroked outline can leave a near-invisible trace
    // one pixel outside the box; the clip keeps the box exact.
    p.save();
    p.setClipRect(line.ink);
    p.drawPath(shape);
    p.restore();
}

} // namespace

QImage wordmark(int scale)
{
    // fonts-mplus: M PLUS 1 Black is the heaviest face Debian ships with soft
    // enough corners; the round-joined outline rounds them off further.
    static const QFont heavy = requireFont(QStringLiteral("M PLUS 1"), QFont::Black, "fonts-mplus");

    QImage img = blank(kArtWidth * scale, kArtHeight * scale, kWordmarkBack);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    constexpr qreal outline = 1.0;
    drawWordmarkLine(p, heavy, {QStringLiteral("VARN"), QRect(QPoint(95, 8), QPoint(235, 28)), 0.35},
                     outline);
    drawWordmarkLine(p, heavy, {QStringLiteral("HOLT"), QRect(QPoint(7, 31), QPoint(341, 52)), 0.6},
                     outline);
    p.end();
    return img;
}

QRect inkBox(const QImage &image, QRgb background)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y) {
        const auto *px = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (px[x] != background)
                box = box.united(QRect(x, y, 1, 1));
        }
    }
    return box;
}

QRect alphaBox(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y) {
        const auto *px = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(px[x]) != 0)
                box = box.united(QRect(x, y, 1, 1));
        }
    }
    return box;
}

} // namespace artwork

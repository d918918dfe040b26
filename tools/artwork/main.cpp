// SPDX-License-Identifier: MIT
// Draws Tillomar's icon, banner and word mark. The results are committed in
// resources/; run this only when the artwork itself changes.
#include "dib.h"
#include "drawing.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <stdexcept>

using namespace artwork;

namespace {

void require(bool ok, const QString &what)
{
    if (!ok)
        throw std::runtime_error(what.toStdString());
}

QString describe(const QRect &r)
{
    return QStringLiteral("%1x%2 at (%3,%4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    require(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size(),
            QStringLiteral("cannot write %1").arg(path));
}

void writePng(const QString &path, const QImage &img)
{
    require(img.save(path, "PNG"), QStringLiteral("cannot write %1").arg(path));
}

// A glyph that lost a row or column (e.g. to the palette threshold) would
// silently shift the design, so insist the ink fills the whole glyph box.
void checkGlyph(const QImage &glyph, const QString &name)
{
    const QRect box = alphaBox(glyph);
    require(box == glyph.rect(), QStringLiteral("%1: ink %2, expected %3")
                                     .arg(name, describe(box), describe(glyph.rect())));
}

void checkBackgroundBorder(const QImage &img, QRgb background, int margin, const QString &name)
{
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const bool nearEdge = x < margin || y < margin || x >= argb.width() - margin
                || y >= argb.height() - margin;
            if (nearEdge)
                require(argb.pixel(x, y) == background,
                        QStringLiteral("%1: pixel (%2,%3) is not background").arg(name).arg(x).arg(y));
        }
    }
}

void generate(const QString &outDir)
{
    QDir dir(outDir);
    require(dir.mkpath(QStringLiteral("icons")), QStringLiteral("cannot create %1/icons").arg(outDir));

    const struct {
        int size;
        const DollarDesign &design;
    } icons[] = {{48, kLargeDollar}, {32, kLargeDollar}, {16, kSmallDollar}};

    QList<IconEntry> palette;
    QList<IconEntry> trueColour;
    for (const auto &icon : icons) {
        for (int scale : {1, 2}) {
            const QImage glyph = dollarGlyph(icon.design, scale);
            checkGlyph(glyph, QStringLiteral("%1px@%2x glyph").arg(icon.size).arg(scale));
            const QImage canvas = iconCanvas(icon.size * scale, glyph);
            const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
            writePng(dir.filePath(QStringLiteral("icons/tillomar-%1%2.png").arg(icon.size).arg(suffix)),
                     canvas);
            if (scale != 1)
                continue;
            const QImage hard = thresholded(glyph);
            checkGlyph(hard, QStringLiteral("%1px palette glyph").arg(icon.size));
            palette.append({IconEntry::Kind::Palette8, iconCanvas(icon.size, hard)});
            trueColour.append({IconEntry::Kind::Bgra32, canvas});
        }
    }
    writeFile(dir.filePath(QStringLiteral("tillomar.ico")), encodeIco(palette + trueColour));

    for (int scale : {1, 2}) {
        const QImage b = banner(scale);
        checkBackgroundBorder(b, kBannerBack, 2 * scale, QStringLiteral("banner"));
        const QImage w = wordmark(scale);
        const QRect line1 = inkBox(w.copy(0, 0, w.width(), 30 * scale), kWordmarkBack);
        const QRect line2 = inkBox(w.copy(0, 30 * scale, w.width(), 32 * scale), kWordmarkBack)
                                .translated(0, 30 * scale);
        const QRect want1(95 * scale, 8 * scale, 141 * scale, 21 * scale);
        const QRect want2(7 * scale, 31 * scale, 335 * scale, 22 * scale);
        require(line1 == want1, QStringLiteral("word mark line 1: ink %1").arg(describe(line1)));
        require(line2 == want2, QStringLiteral("word mark line 2: ink %1").arg(describe(line2)));
        if (scale == 1) {
            writeFile(dir.filePath(QStringLiteral("banner.bmp")), encodeBmp24(b));
            writeFile(dir.filePath(QStringLiteral("wordmark.bmp")), encodeBmp24(w));
        } else {
            writePng(dir.filePath(QStringLiteral("banner@2x.png")), b);
            writePng(dir.filePath(QStringLiteral("wordmark@2x.png")), w);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Pure off-screen drawing; must not need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tillomar-artwork <output-dir>\n");
        return 2;
    }
    try {
        generate(args.at(1));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tillomar-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}

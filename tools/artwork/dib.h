// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace artwork {

// One picture inside the .ico. Palette entries keep only fully opaque pixels
// (the AND mask carries transparency); true-colour entries keep the alpha.
struct IconEntry {
    enum class Kind { Palette8, Bgra32 };
    Kind kind;
    QImage image; // ARGB32 (not premultiplied), square, at most 255 px
};

// Writes ICONDIR + entries + DIBs by hand so the byte layout does not depend
// on whichever image plugins happen to be installed.
QByteArray encodeIco(const QList<IconEntry> &entries);

// Uncompressed 24-bit bottom-up BMP; alpha is dropped.
QByteArray encodeBmp24(const QImage &image);

} // namespace artwork

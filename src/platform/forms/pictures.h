// SPDX-License-Identifier: MIT
#pragma once

// Pictures and icons, read without slowing the program's start. Qt's image
// reader looks through all its format plugins the first time it is used,
// which costs milliseconds before the first window shows.

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <initializer_list>

namespace platform {

// A Windows bitmap for a screen of the given density: the twice-as-detailed
// copy beside it (name@2x.png) where the screen is denser than the design.
QPixmap loadPicture(const QString &path, qreal devicePixelRatio);

// An icon from PNG files named by pattern ("…-%1.png" for each size, and
// "…-%1@2x.png" at twice the size on a denser screen), read only when
// something first draws it.
QIcon lazyIcon(const QString &pattern, std::initializer_list<int> sizes);

// Makes the application's style the desktop's own, but with the icons that
// widgets ask for as they are built and rarely show read when first drawn.
void deferStyleIcons();

} // namespace platform

// SPDX-License-Identifier: MIT
#pragma once

// What the screen-reader bridge of one window system needs beyond Qt's own,
// a file each: AT-SPI on Linux, UI Automation on Windows.

class QString;
class QWidget;

namespace platform {

// Called once the widget's description has changed and a reader listens.
void bridgeDescriptionChanged(QWidget *widget, const QString &description);

} // namespace platform

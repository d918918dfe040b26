// SPDX-License-Identifier: MIT
#pragma once

// The frame a window system draws around a window. Qt's window flags say most
// of it; on X11 a tool window needs three hints Qt does not give: a border
// without a title bar, no task-bar entry, and no tie to the program's other
// windows (Qt marks tool windows as utility windows and transients of the
// whole program, which window managers keep above all its other windows).

#include "platform/formlayout.h"

#include <Qt>

class QWidget;

namespace platform {

Qt::WindowFlags frameFlags(Frame frame);

// Call before the window is mapped; creates its native window if need be.
void prepareFrameBeforeMap(QWidget &window, Frame frame);
// Call right after the window has been mapped.
void settleFrameAfterMap(QWidget &window, Frame frame);

} // namespace platform

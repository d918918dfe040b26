// SPDX-License-Identifier: MIT
#pragma once

// The frame around a window, one file per window system.
//
// On Windows both frames are the window system's own: a fixed single border
// that refuses to be dragged to another size, yet offers minimize and
// maximize, and a tool window's thin border without a title bar or task-bar
// button.
//
// Elsewhere a fixed single frame is the window system's: a title bar with
// its buttons, the size held by equal size limits. A tool window's thin
// frame is drawn by the window itself, one pixel around its client area, on a window the window
// system leaves undecorated: window managers read a request for "a border
// but no title bar" each in their own way (a full title bar under xfwm4, no
// frame at all under metacity), and Wayland has no such request at all.
// On X11 a tool window needs two hints Qt does not give: no task-bar entry,
// and no tie to the program's other windows (Qt marks tool windows as
// utility windows and transients of the whole program, which window managers
// keep above all its other windows).

#include <Qt>

#include <cstdint>

class QWidget;

namespace platform {

// FixedSingle: a title bar with the usual buttons. ToolWindow: with no caption
// and no buttons, only a thin frame, and no task-bar entry.
enum class Frame : std::uint8_t { FixedSingle, ToolWindow };

Qt::WindowFlags frameFlags(Frame frame);

// Whether the frame itself refuses a size dragged by the user, so that the
// window needs no size limits to keep its designed size.
bool frameKeepsSize();

// The width in pixels of the frame the window draws itself, on every side.
int drawnFrameWidth(Frame frame);
// Paints that frame along the window's edges.
void paintDrawnFrame(QWidget &window, Frame frame);

// Call before the window is mapped; creates its native window if need be.
void prepareFrameBeforeMap(QWidget &window, Frame frame);
// Call right after the window has been mapped.
void settleFrameAfterMap(QWidget &window, Frame frame);

} // namespace platform

// SPDX-License-Identifier: MIT
#pragma once

// Which window system the program runs on, and what that one allows.

namespace platform {

// Call before the application object exists. Where the user has not chosen
// with QT_QPA_PLATFORM and an X server is reachable, the program runs on X11,
// through XWayland on a Wayland session: only X11 lets a window ask for its
// place on the screen (the tally window has one) and keep its task-bar entry
// off (the about windows). Without an X server Qt falls back to Wayland.
void chooseWindowSystem();

// Whether the window system sizes windows itself: a Wayland compositor sends
// the size of a maximized or fullscreen window, and a surface committed at
// any other size is a protocol error that ends the program. Size limits then
// must not stand in the way; Qt applies them to a configured size before the
// window even learns of its new state.
bool windowSystemSetsSize();

} // namespace platform

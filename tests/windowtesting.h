// SPDX-License-Identifier: MIT
#pragma once

// What the window tests share: a window shown and active, and whether the
// user can drag it to another size.

#include "platform/desktop/windowframe.h"
#include "ui/tally_window/tallywindow.h"

#include <QTest>

#include <memory>

// A window built from its design (the tally window unless given),
// shown and active.
template<typename Window = ui::TallyWindow, typename... Design>
std::unique_ptr<Window> openWindow(const Design &...design)
{
    auto window = std::make_unique<Window>(design...);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("%s did not become active", qPrintable(window->objectName()));
    return window;
}

// The user cannot drag the window to another size: the window system's
// frame refuses it where the frame can (Windows), else equal size limits.
inline bool refusesDraggedSize(const QWidget &window)
{
    if (platform::frameKeepsSize())
        return window.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
    return window.minimumSize() == window.maximumSize();
}

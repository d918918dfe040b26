// SPDX-License-Identifier: MIT
#include "platform/desktop/windowsystem.h"

#include <QGuiApplication>

namespace platform {

void chooseWindowSystem()
{
    // Qt 6.4 prefers Wayland whenever WAYLAND_DISPLAY is set; a list is
    // tried in order, so a stale DISPLAY still ends on Wayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

bool windowSystemSetsSize()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace platform

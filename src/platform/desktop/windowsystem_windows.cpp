// SPDX-License-Identifier: MIT
#include "platform/desktop/windowsystem.h"

namespace platform {

// Windows has one window system, which places and sizes windows as asked.
void chooseWindowSystem() {}

bool windowSystemSetsSize()
{
    return false;
}

} // namespace platform

// SPDX-License-Identifier: MIT
#pragma once

namespace platform {

// Reports unhandled run-time errors in a message box titled with the
// application's name; the program goes on once the user has confirmed it.
void installMessageBoxReporter();

} // namespace platform

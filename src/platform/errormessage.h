// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace platform {

class RuntimeError;

// What the user reads about an unhandled run-time error.
QString errorMessageText(const RuntimeError &error);

// Reports unhandled run-time errors in a message box titled with the
// application's name; the program goes on once the user has confirmed it.
void installMessageBoxReporter();

} // namespace platform

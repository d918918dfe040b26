// SPDX-License-Identifier: MIT
#pragma once

#include "platform/runtime/runtimeerror.h"

#include <functional>

namespace platform {

// Receives every run-time error that no procedure handled. The window
// installs a message box; tests install an observer.
using ErrorReporter = std::function<void(const RuntimeError &)>;

// Replaces the reporter and returns the previous one.
ErrorReporter setErrorReporter(ErrorReporter reporter);

// Whether an event procedure is running: a procedure that finds none outside
// it is the outermost of the user's action.
bool insideEventProcedure() noexcept;

// Runs one event procedure. A run-time error ends the procedure here and
// never travels on through the toolkit's event dispatch. Events raised from
// inside a procedure (a text write raising Change) nest; their errors are
// held until the outermost event ends, so one user action is reported once,
// with its first error.
void runEventProcedure(const std::function<void()> &procedure) noexcept;

} // namespace platform

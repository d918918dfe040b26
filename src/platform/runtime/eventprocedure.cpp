// SPDX-License-Identifier: MIT
#include "platform/runtime/eventprocedure.h"

#include <QDebug>

#include <new>
#include <optional>

namespace platform {

namespace {

// One GUI thread runs every event procedure, so plain statics suffice.
int eventDepth = 0;
std::optional<RuntimeError> pendingError;

ErrorReporter &reporter()
{
    static ErrorReporter current = [](const RuntimeError &error) {
        qWarning().noquote() << "Run-time error" << error.number() << ':' << error.description();
    };
    return current;
}

void holdFirst(const RuntimeError &error) noexcept
{
    if (!pendingError)
        pendingError.emplace(error);
}

} // namespace

ErrorReporter setErrorReporter(ErrorReporter replacement)
{
    return std::exchange(reporter(), std::move(replacement));
}

bool insideEventProcedure() noexcept
{
    return eventDepth > 0;
}

void runEventProcedure(const std::function<void()> &procedure) noexcept
{
    ++eventDepth;
    try {
        procedure();
    } catch (const RuntimeError &error) {
        holdFirst(error);
    } catch (const std::bad_alloc &) {
        holdFirst(RuntimeError::outOfMemory());
    } catch (const std::exception &e) {
        holdFirst(RuntimeError::internal(e.what()));
    }
    if (--eventDepth > 0 || !pendingError)
        return;
    const RuntimeError error = std::move(*pendingError);
    pendingError.reset();
    // The reporter may run a nested event loop (a message box): by now this
    // user action is over, so events it lets through start a fresh one.
    try {
        if (reporter())
            reporter()(error);
    } catch (...) {
        qWarning().noquote() << error.what();
    }
}

} // namespace platform

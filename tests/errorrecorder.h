// SPDX-License-Identifier: MIT
#pragma once

#include "platform/runtime/eventprocedure.h"

#include <QList>

#include <vector>

// While it lives, run-time errors are recorded here instead of reported, so
// a test sees each one and no message box waits for a click.
class ErrorRecorder
{
public:
    ErrorRecorder()
        : m_previous(platform::setErrorReporter([this](const platform::RuntimeError &e) { errors.push_back(e); }))
    {
    }
    ~ErrorRecorder() { platform::setErrorReporter(std::move(m_previous)); }
    ErrorRecorder(const ErrorRecorder &) = delete;
    ErrorRecorder &operator=(const ErrorRecorder &) = delete;

    QList<int> numbers() const
    {
        QList<int> numbers;
        for (const platform::RuntimeError &error : errors)
            numbers << error.number();
        return numbers;
    }

    std::vector<platform::RuntimeError> errors;

private:
    platform::ErrorReporter m_previous;
};

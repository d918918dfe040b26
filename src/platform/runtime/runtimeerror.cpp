// SPDX-License-Identifier: MIT
#include "platform/runtime/runtimeerror.h"

namespace platform {

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(QStringLiteral("Run-time error %1: %2").arg(number).arg(m_description).toUtf8())
{
}

RuntimeError RuntimeError::overflow()
{
    return {6, QStringLiteral("Overflow")};
}

RuntimeError RuntimeError::typeMismatch()
{
    return {13, QStringLiteral("Type mismatch")};
}

RuntimeError RuntimeError::outOfMemory()
{
    return {7, QStringLiteral("Out of memory")};
}

RuntimeError RuntimeError::internal(const char *what)
{
    return {51, QStringLiteral("Internal error: %1").arg(QString::fromUtf8(what))};
}

} // namespace platform

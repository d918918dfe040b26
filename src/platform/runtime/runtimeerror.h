// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <QByteArray>

#include <exception>

namespace platform {

// A run-time error as the user sees it reported: a number and a description.
class RuntimeError : public std::exception
{
public:
    RuntimeError(int number, QString description);

    static RuntimeError overflow();
    static RuntimeError typeMismatch();
    static RuntimeError outOfMemory();
    static RuntimeError internal(const char *what);

    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number = 0;
    QString m_description;
    QByteArray m_what; // shared, so copying an error never allocates
};

} // namespace platform

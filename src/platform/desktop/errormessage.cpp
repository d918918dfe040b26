// SPDX-License-Identifier: MIT
#include "platform/desktop/errormessage.h"

#include "platform/runtime/eventprocedure.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {

// What the user reads about an unhandled run-time error.
QString errorMessageText(const RuntimeError &error)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.description());
}

} // namespace

void installMessageBoxReporter()
{
    setErrorReporter([](const RuntimeError &error) {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), errorMessageText(error),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.setObjectName(QStringLiteral("runtimeErrorBox"));
        box.exec();
    });
}

} // namespace platform

// SPDX-License-Identifier: MIT
#include "platform/desktop/errormessage.h"

#include "platform/runtime/eventprocedure.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

void installMessageBoxReporter()
{
    setErrorReporter([](const RuntimeError &error) {
        const QString text = QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.description());
        QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setObjectName(QStringLiteral("runtimeErrorBox"));
        box.exec();
    });
}

} // namespace platform

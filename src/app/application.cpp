// SPDX-License-Identifier: MIT
#include "app/application.h"

#include "platform/errormessage.h"
#include "platform/formloader.h"

#include <QApplication>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Tillomar"));
    QApplication::setApplicationVersion(QStringLiteral(TILLOMAR_VERSION));
    // The windows' own lifetime rule decides when the program ends; Qt's
    // would overlook the tool windows.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(platform::dialogFont());
    platform::installMessageBoxReporter();
}

} // namespace app

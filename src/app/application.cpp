// SPDX-License-Identifier: MIT
#include "app/application.h"

#include "app/identity.h"
#include "platform/accessibility.h"
#include "platform/errormessage.h"
#include "platform/formloader.h"
#include "platform/pictures.h"
#include "platform/text.h"

#include <QApplication>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(platform::toQString(productName));
    QApplication::setApplicationVersion(platform::toQString(versionText));
    QApplication::setOrganizationName(platform::toQString(companyName));
    QGuiApplication::setDesktopFileName(platform::toQString(desktopFileName));
    // The windows' own lifetime rule decides when the program ends; Qt's
    // would overlook the tool windows.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::deferStyleIcons();
    QApplication::setFont(platform::dialogFont());
    platform::installMessageBoxReporter();
    platform::installAccessibility();
}

} // namespace app

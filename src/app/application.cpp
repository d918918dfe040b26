// SPDX-License-Identifier: MIT
#include "app/application.h"

#include "app/identity.h"
#include "platform/desktop/errormessage.h"
#include "platform/forms/formloader.h"
#include "platform/forms/pictures.h"
#include "platform/runtime/text.h"

#include <QApplication>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(platform::toQString(productName));
    QApplication::setApplicationVersion(platform::toQString(versionText));
    QApplication::setOrganizationName(platform::toQString(companyName));
    QGuiApplication::setDesktopFileName(platform::toQString(desktopFileName));
    platform::deferStyleIcons();
    QApplication::setFont(platform::dialogFont());
    platform::installMessageBoxReporter();
}

} // namespace app

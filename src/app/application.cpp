// SPDX-License-Identifier: MIT
#include "app/application.h"

#include "app/identity.h"
#include "platform/accessibility.h"
#include "platform/errormessage.h"
#include "platform/formloader.h"

#include <QApplication>

namespace app {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void setUpApplication()
{
    QApplication::setApplicationName(toQString(productName));
    QApplication::setApplicationVersion(toQString(versionText));
    QApplication::setOrganizationName(toQString(companyName));
    QGuiApplication::setDesktopFileName(toQString(desktopFileName));
    // The windows' own lifetime rule decides when the program ends; Qt's
    // would overlook the tool windows.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(platform::dialogFont());
    platform::installMessageBoxReporter();
    platform::installAccessibility();
}

} // namespace app

// SPDX-License-Identifier: MIT
#include "app/application.h"
#include "app/windowset.h"
#include "platform/windowsystem.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::chooseWindowSystem();
    QApplication application(argc, argv);
    app::setUpApplication();
    app::Form1->show();
    return QApplication::exec();
}

// SPDX-License-Identifier: MIT
#include "app/application.h"
#include "app/windowset.h"
#include "platform/desktop/windowsystem.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    platform::chooseWindowSystem();
    QApplication application(argc, argv);
    app::setUpApplication();
    app::Form1->show();
    const int status = QApplication::exec();
    // Nothing is kept between runs, so nothing needs tearing down; Qt's
    // Wayland teardown can wait for ever on its event thread.
    std::fflush(nullptr);
    std::_Exit(status);
}

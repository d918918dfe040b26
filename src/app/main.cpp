// SPDX-License-Identifier: MIT
#include "app/application.h"
#include "app/windowset.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app::setUpApplication();
    app::Form1->show();
    return QApplication::exec();
}

// SPDX-License-Identifier: MIT
// Starts like the program, or like an empty Qt window, and exits as soon as
// the first window has been shown and painted: the process's start-up cost.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#ifdef PROBE_TILLOMAR
#include "app/application.h"
#include "app/windowset.h"
#endif

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
#ifdef PROBE_TILLOMAR
    app::setUpApplication();
    app::Form1->show();
    QWidget *window = app::Form1->window();
#else
    QWidget empty;
    empty.resize(515, 445);
    empty.show();
    QWidget *window = &empty;
#endif
    window->repaint();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}

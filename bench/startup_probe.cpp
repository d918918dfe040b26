// SPDX-License-Identifier: MIT
// Starts like the program, like an empty Qt window, or like a window showing
// one line of text (which pays the system's font set-up, as every window with
// text does), and exits as soon as the window has been shown and painted.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdlib>

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
#ifdef PROBE_TEXT
    QLabel text(QStringLiteral("Varnholt Tillomar"), &empty);
#endif
    empty.show();
    QWidget *window = &empty;
#endif
    window->repaint();
    QCoreApplication::processEvents();
    // Start-up ends here; tearing the process down is no part of it.
    std::_Exit(0);
}

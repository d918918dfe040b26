// SPDX-License-Identifier: MIT
// Starts like the program, like an empty Qt window, or like a window showing
// one line of text (which pays the system's font set-up, as every window with
// text does), and exits as soon as the window has been shown and painted.
// On Windows it prints the milliseconds from its process's creation to that
// paint, since timing Wine's start from outside would mostly time Wine.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>

#include <cstdio>
#endif

namespace {

// The window system asks for the first paint once the window is mapped;
// until then a repaint draws nothing.
class FirstPaint final : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted |= event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

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
    FirstPaint firstPaint;
    window->installEventFilter(&firstPaint);
    // The window and all its controls are drawn and flushed in the event
    // that delivers the paint.
    while (!firstPaint.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Start-up ends here; tearing the process down is no part of it.
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    std::printf("%.2f\n", double(ticks(now) - ticks(created)) / 10000.0);
    std::fflush(stdout);
#endif
    std::_Exit(0);
}

// SPDX-License-Identifier: MIT
// The recalculation on the real tally window, and the program's start-up
// against an empty Qt window's.

#include "app/application.h"
#include "platform/forms/controls.h"
#include "tally/denominations.h"
#include "ui/tally_window/tallywindow.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

#ifndef _WIN32
#include <chrono>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

namespace {

std::unique_ptr<ui::TallyWindow> shownWindow()
{
    auto window = std::make_unique<ui::TallyWindow>();
    window->show();
    QCoreApplication::processEvents();
    return window;
}

void fill(ui::TallyWindow &window)
{
    int n = 1;
    for (const auto &row : tally::denominations)
        for (const auto &cell : row.columns)
            window.setCountText(cell.field, QString::number(n++ * 7 % 999));
}

// One keystroke into a full sheet: the field's change and its recalculation,
// and then, if asked, the repaint it causes.
void keystrokeOnFullSheet(benchmark::State &state, bool repaint)
{
    auto window = shownWindow();
    fill(*window);
    platform::TextBox *field = window->countField(3);
    bool odd = false;
    for (auto _ : state) {
        field->setText((odd = !odd) ? QStringLiteral("12") : QStringLiteral("21"));
        if (repaint)
            window->repaint();
        benchmark::DoNotOptimize(window->caption(70));
    }
}
BENCHMARK_CAPTURE(keystrokeOnFullSheet, recalculation, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystrokeOnFullSheet, withRepaint, true)->Unit(benchmark::kMicrosecond);

// The first change after start: 22 runs, nested 21 deep.
void firstChangeFromEmpty(benchmark::State &state)
{
    auto window = shownWindow();
    for (auto _ : state) {
        state.PauseTiming();
        for (int n = 1; n <= tally::countFieldCount; ++n) {
            QSignalBlocker quiet(window->countField(n));
            window->countField(n)->clear();
        }
        state.ResumeTiming();
        window->setCountText(1, QStringLiteral("5"));
    }
}
BENCHMARK(firstChangeFromEmpty)->Unit(benchmark::kMicrosecond);

#ifndef _WIN32
// Under Wine, bench/startup_wine.sh times the start-up instead.
struct StartCost
{
    double wall = 0; // seconds from spawn to exit
    double cpu = 0;  // user and system time of the process; steadier on a busy machine
};

StartCost costToStart(const QString &program)
{
    const QByteArray path = program.toLocal8Bit();
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        return {-1, -1};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {-1, -1};
    const auto seconds = [](timeval t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// Whole processes, from start to the first window shown and painted. The two
// programs take turns, so that drift in the machine's speed affects both alike.
void processStartup(benchmark::State &state)
{
    const QString directory = QCoreApplication::applicationDirPath() + '/';
    StartCost empty, text, tillomar;
    const auto add = [](StartCost &sum, StartCost one) {
        sum.wall += one.wall;
        sum.cpu += one.cpu;
        return one.wall >= 0;
    };
    for (auto _ : state) {
        const StartCost t = costToStart(directory + "startup_tillomar");
        if (!add(empty, costToStart(directory + "startup_empty")) || !add(text, costToStart(directory + "startup_text"))
            || !add(tillomar, t)) {
            state.SkipWithError("a start-up probe failed");
            return;
        }
        state.SetIterationTime(t.wall);
    }
    const double runs = double(state.iterations());
    state.counters["empty_wall_ms"] = empty.wall / runs * 1e3;
    state.counters["text_wall_ms"] = text.wall / runs * 1e3;
    state.counters["tillomar_wall_ms"] = tillomar.wall / runs * 1e3;
    state.counters["wall_ratio_to_empty"] = tillomar.wall / empty.wall;
    state.counters["cpu_ratio_to_empty"] = tillomar.cpu / empty.cpu;
    state.counters["cpu_ratio_to_text"] = tillomar.cpu / text.cpu;
}
BENCHMARK(processStartup)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);
#endif

} // namespace

int main(int argc, char *argv[])
{
#ifndef _WIN32
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication application(argc, argv);
    app::setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// SPDX-License-Identifier: MIT
// The recalculation on the real tally window, and the program's start-up
// against an empty Qt window's.

#include "app/application.h"
#include "platform/controls.h"
#include "tally/denominations.h"
#include "ui/tally_window/tallywindow.h"

#include <QApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

std::unique_ptr<ui::TallyWindow> shownWindow()
{
    auto window = std::make_unique<ui::TallyWindow>();
    window->settle();
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

// One keystroke into a full sheet: the field's change and its recalculation.
void keystrokeOnFullSheet(benchmark::State &state)
{
    auto window = shownWindow();
    fill(*window);
    platform::TextBox *field = window->countField(3);
    bool odd = false;
    for (auto _ : state) {
        field->setText((odd = !odd) ? QStringLiteral("12") : QStringLiteral("21"));
        benchmark::DoNotOptimize(window->caption(70));
    }
}
BENCHMARK(keystrokeOnFullSheet)->Unit(benchmark::kMicrosecond);

// The same keystroke followed by the repaint it causes.
void keystrokeWithRepaint(benchmark::State &state)
{
    auto window = shownWindow();
    fill(*window);
    platform::TextBox *field = window->countField(3);
    bool odd = false;
    for (auto _ : state) {
        field->setText((odd = !odd) ? QStringLiteral("12") : QStringLiteral("21"));
        window->repaint();
    }
}
BENCHMARK(keystrokeWithRepaint)->Unit(benchmark::kMicrosecond);

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

void processStartup(benchmark::State &state, const char *probe)
{
    const QString program = QCoreApplication::applicationDirPath() + "/" + probe;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QProcess process;
        process.start(program, {});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the start-up probe failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK_CAPTURE(processStartup, emptyQtWindow, "startup_empty")->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(processStartup, tillomar, "startup_tillomar")->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

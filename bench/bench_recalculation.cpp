// SPDX-License-Identifier: MIT
// The recalculation on the model sheet, against the bare cost of writing the
// 27 output numbers with std::to_chars.

#include "tally/denominations.h"
#include "tally/modelsheet.h"
#include "tally/recalculation.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>

namespace {

void fillSheet(tally::ModelSheet &sheet)
{
    int n = 1;
    for (const auto &row : tally::denominations)
        for (const auto &cell : row.columns)
            sheet.edit(cell.field, QString::number(n++ * 7 % 999));
}

void fullSheetRecalculation(benchmark::State &state)
{
    tally::ModelSheet sheet;
    fillSheet(sheet);
    for (auto _ : state)
        tally::recalculate(sheet);
}
BENCHMARK(fullSheetRecalculation);

void firstChangeFromEmpty(benchmark::State &state)
{
    for (auto _ : state) {
        tally::ModelSheet sheet;
        sheet.edit(1, QStringLiteral("5"));
        benchmark::DoNotOptimize(sheet.runs());
    }
}
BENCHMARK(firstChangeFromEmpty);

// The floor under any recalculation: formatting its 27 outputs.
void toCharsOf27Doubles(benchmark::State &state)
{
    std::array<double, 27> values;
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = (i + 1) * 7 % 999 * 0.05 + 100.0 * i;
    char buffer[32];
    for (auto _ : state) {
        for (double v : values) {
            auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
            benchmark::DoNotOptimize(result.ptr);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(toCharsOf27Doubles);

} // namespace

BENCHMARK_MAIN();

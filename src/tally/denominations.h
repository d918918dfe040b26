// SPDX-License-Identifier: MIT
#pragma once

// The tally: eleven denominations, each counted twice (before and after
// trading). This table ties every row to the controls the recalculation
// reads and writes, by the number in the control's name (Text<n>, Label<n>);
// the window adds only what it alone shows, the captions and signs, so no
// other list of rows exists.
//
// Rows stand in processing order, the order in which the recalculation reads,
// resets, multiplies, shows and adds them. On screen the $2 row is sixth.

#include <algorithm>
#include <array>
#include <string_view>

namespace tally {

enum Column { Starting = 0, Ending = 1 };

struct RowControls
{
    int field;  // Text<n>: the count
    int amount; // Label<n>: count times multiplier
};

struct Denomination
{
    std::string_view name;
    double multiplier;
    std::array<RowControls, 2> columns; // by Column
};

inline constexpr std::array<Denomination, 11> denominations{{
    {"$100", 100, {{{1, 42}, {19, 52}}}},
    {"$50", 50, {{{2, 43}, {18, 53}}}},
    {"$20", 20, {{{3, 44}, {17, 54}}}},
    {"$10", 10, {{{4, 45}, {16, 55}}}},
    {"$5", 5, {{{5, 46}, {15, 56}}}},
    {"$1", 1, {{{6, 47}, {14, 57}}}},
    {"50c", 0.5, {{{20, 48}, {7, 58}}}},
    {"20c", 0.2, {{{8, 49}, {13, 59}}}},
    {"10c", 0.1, {{{9, 50}, {12, 60}}}},
    {"5c", 0.05, {{{10, 51}, {11, 61}}}},
    {"$2", 2, {{{21, 78}, {22, 81}}}},
}};

struct ColumnControls
{
    int total;   // Label<n>: the column's total
    int summary; // Label<n>: the total's copy in the summary
};

inline constexpr std::array<ColumnControls, 2> columns{{{64, 67}, {65, 69}}};

// Label<n> showing the ending total minus the starting total.
inline constexpr int totalLabel = 70;

// One count field for each row in each column, Text1 to Text22.
inline constexpr int countFieldCount = int(denominations.size() * 2);

// The highest label number the recalculation writes.
inline constexpr int highestOutputLabel = [] {
    int highest = totalLabel;
    for (const Denomination &row : denominations) {
        for (const RowControls &cell : row.columns)
            highest = std::max(highest, cell.amount);
    }
    for (const ColumnControls &column : columns)
        highest = std::max({highest, column.total, column.summary});
    return highest;
}();

// The typing limit of a count field; 0 for none. Only the ending $2 field
// takes texts of any length.
inline constexpr int unlimitedField =
    std::ranges::find(denominations, std::string_view("$2"), &Denomination::name)->columns[Ending].field;
constexpr int countFieldMaxLength(int field)
{
    return field == unlimitedField ? 0 : 3;
}

} // namespace tally

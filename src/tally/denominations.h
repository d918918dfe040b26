// SPDX-License-Identifier: MIT
#pragma once

// The tally: eleven denominations, each counted twice (before and after
// trading). This table ties every row to its controls, by the number in the
// control's name (Text<n>, Label<n>); the windows, the recalculation and the
// accessible names all read it, so no other list of rows exists.
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
    int field;   // Text<n>: the count
    int caption; // Label<n>: "Number of ..."
    int sign;    // Label<n>: "="
    int amount;  // Label<n>: count times multiplier
};

struct Denomination
{
    std::string_view name;
    double multiplier;
    std::array<RowControls, 2> columns; // by Column
};

inline constexpr std::array<Denomination, 11> denominations{{
    {"$100", 100, {{{1, 1, 22, 42}, {19, 21, 32, 52}}}},
    {"$50", 50, {{{2, 2, 23, 43}, {18, 20, 33, 53}}}},
    {"$20", 20, {{{3, 3, 24, 44}, {17, 19, 34, 54}}}},
    {"$10", 10, {{{4, 9, 25, 45}, {16, 13, 35, 55}}}},
    {"$5", 5, {{{5, 5, 26, 46}, {15, 17, 36, 56}}}},
    {"$1", 1, {{{6, 6, 27, 47}, {14, 16, 37, 57}}}},
    {"50c", 0.5, {{{20, 7, 28, 48}, {7, 15, 38, 58}}}},
    {"20c", 0.2, {{{8, 8, 29, 49}, {13, 14, 39, 59}}}},
    {"10c", 0.1, {{{9, 4, 30, 50}, {12, 18, 40, 60}}}},
    {"5c", 0.05, {{{10, 10, 31, 51}, {11, 12, 41, 61}}}},
    {"$2", 2, {{{21, 76, 77, 78}, {22, 79, 80, 81}}}},
}};

struct ColumnControls
{
    int header;         // Label<n>: "Starting Amount:" / "Ending Amount:"
    int total;          // Label<n>: the column's total
    int totalDollar;    // Label<n>: "$" before it
    int summaryCaption; // Label<n>: the summary line's caption
    int summaryDollar;  // Label<n>: "$" before the copy
    int summary;        // Label<n>: the total's copy in the summary
};

inline constexpr std::array<ColumnControls, 2> columns{{
    {62, 64, 72, 66, 74, 67},
    {63, 65, 73, 68, 75, 69},
}};

// Label<n> showing the ending total minus the starting total, with its
// caption and its "$".
inline constexpr int totalLabel = 70;
inline constexpr int totalCaption = 71;
inline constexpr int totalDollar = 11;

// One count field for each row in each column, Text1 to Text22.
inline constexpr int countFieldCount = int(denominations.size() * 2);

// The highest label number the tables name: Label1 to Label<labelCount>.
inline constexpr int labelCount = [] {
    int highest = std::max({totalLabel, totalCaption, totalDollar});
    for (const Denomination &row : denominations) {
        for (const RowControls &cell : row.columns)
            highest = std::max({highest, cell.caption, cell.sign, cell.amount});
    }
    for (const ColumnControls &column : columns) {
        highest = std::max({highest, column.header, column.total, column.totalDollar, column.summaryCaption,
                            column.summaryDollar, column.summary});
    }
    return highest;
}();

// Every caption the recalculation writes: the amounts, each column's total
// and its copy in the summary, and the Total.
inline constexpr int outputCount = int(denominations.size() * 2 + columns.size() * 2 + 1);

// The typing limit of a count field; 0 for none. Only the ending $2 field
// takes texts of any length.
inline constexpr int unlimitedField =
    std::ranges::find(denominations, std::string_view("$2"), &Denomination::name)->columns[Ending].field;
constexpr int countFieldMaxLength(int field)
{
    return field == unlimitedField ? 0 : 3;
}

} // namespace tally

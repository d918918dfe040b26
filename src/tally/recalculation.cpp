// SPDX-License-Identifier: MIT
#include "tally/recalculation.h"

#include "platform/runtime/eventprocedure.h"
#include "platform/runtime/numbertext.h"
#include "tally/denominations.h"
#include "tally/sheet.h"

#include <bitset>

namespace tally {

namespace {

using platform::doubleText;

// Records which output captions this run has written, so that a failure can
// clear the others instead of leaving results of earlier counts on show.
class Outputs
{
public:
    explicit Outputs(Sheet &sheet)
        : m_sheet(sheet)
    {
    }
    void write(int label, const QString &text)
    {
        m_sheet.setCaption(label, text);
        m_written.set(label);
    }
    void clearUnwritten()
    {
        const auto clear = [this](int label) {
            if (!m_written.test(label))
                m_sheet.setCaption(label, QString());
        };
        for (const Denomination &row : denominations)
            for (const RowControls &cell : row.columns)
                clear(cell.amount);
        for (const ColumnControls &column : columns) {
            clear(column.total);
            clear(column.summary);
        }
        clear(totalLabel);
    }

private:
    Sheet &m_sheet;
    std::bitset<highestOutputLabel + 1> m_written;
};

void recalculateColumn(Sheet &sheet, Outputs &outputs, Column column)
{
    std::array<double, denominations.size()> counts;
    for (std::size_t i = 0; i < denominations.size(); ++i)
        counts[i] = platform::leadingNumber(sheet.countText(denominations[i].columns[column].field));

    for (std::size_t i = 0; i < denominations.size(); ++i) {
        if (platform::isZero(counts[i]))
            sheet.setCountText(denominations[i].columns[column].field, QStringLiteral("0"));
    }

    std::array<double, denominations.size()> amounts;
    for (std::size_t i = 0; i < denominations.size(); ++i)
        amounts[i] = platform::finiteOrOverflow(counts[i] * denominations[i].multiplier);

    const QChar separator = sheet.decimalSeparator();
    for (std::size_t i = 0; i < denominations.size(); ++i)
        outputs.write(denominations[i].columns[column].amount, doubleText(amounts[i], separator));

    double total = amounts[0];
    for (std::size_t i = 1; i < amounts.size(); ++i)
        total = platform::finiteOrOverflow(total + amounts[i]);
    outputs.write(columns[column].total, doubleText(total, separator));
}

} // namespace

void recalculate(Sheet &sheet)
{
    Outputs outputs(sheet);
    try {
        recalculateColumn(sheet, outputs, Starting);
        recalculateColumn(sheet, outputs, Ending);

        // The Total is taken from the texts on show, not from the doubles, so
        // it is exactly the difference of the two numbers the user can read.
        for (const ColumnControls &column : columns)
            outputs.write(column.summary, sheet.caption(column.total));
        const QChar separator = sheet.decimalSeparator();
        const double starting = platform::readDoubleText(sheet.caption(columns[Starting].summary), separator);
        const double ending = platform::readDoubleText(sheet.caption(columns[Ending].summary), separator);
        const double gain = platform::finiteOrOverflow(ending - starting);
        outputs.write(totalLabel, platform::currencyText(platform::toCurrency(gain), separator));
    } catch (...) {
        outputs.clearUnwritten();
        throw;
    }
}

void countFieldChange(Sheet &sheet) noexcept
{
    platform::runEventProcedure([&sheet] { recalculate(sheet); });
}

} // namespace tally

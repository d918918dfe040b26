// SPDX-License-Identifier: MIT
#pragma once

#include "tally/denominations.h"
#include "tally/sheet.h"

#include <array>

namespace tally {

// A tally without a window: the 22 count texts and the labels' captions,
// behaving as the window does (a changed count runs the recalculation, a
// reset nests another run inside the write). It also counts the runs a
// change causes and how deep they nest.
class ModelSheet final : public Sheet
{
public:
    // What the user does to a field: typing, pasting, clearing.
    void edit(int field, const QString &text);

    QString countText(int field) const override;
    void setCountText(int field, const QString &text) override;
    QString caption(int label) const override;
    void setCaption(int label, const QString &text) override;
    QChar decimalSeparator() const override { return u'.'; }

    // Since the last edit: how many runs it caused, and how many runs at most
    // stood nested inside one another (1 when nothing nested).
    int runs() const { return m_runs; }
    int deepestNesting() const { return m_deepest; }

private:
    void change();

    std::array<QString, countFieldCount + 1> m_counts;
    std::array<QString, highestOutputLabel + 1> m_captions;
    int m_runs = 0;
    int m_depth = 0;
    int m_deepest = 0;
};

} // namespace tally

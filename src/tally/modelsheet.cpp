// SPDX-License-Identifier: MIT
#include "tally/modelsheet.h"

#include "tally/recalculation.h"

#include <algorithm>
#include <stdexcept>

namespace tally {

namespace {

void checkRange(int number, int last)
{
    if (number < 1 || number > last)
        throw std::out_of_range("no such control");
}

} // namespace

void ModelSheet::edit(int field, const QString &text)
{
    m_runs = 0;
    m_deepest = 0;
    setCountText(field, text);
}

QString ModelSheet::countText(int field) const
{
    checkRange(field, countFieldCount);
    return m_counts[field];
}

void ModelSheet::setCountText(int field, const QString &text)
{
    checkRange(field, countFieldCount);
    const int limit = countFieldMaxLength(field);
    const QString held = limit > 0 ? text.left(limit) : text;
    if (held == m_counts[field])
        return;
    m_counts[field] = held;
    change();
}

QString ModelSheet::caption(int label) const
{
    checkRange(label, highestOutputLabel);
    return m_captions[label];
}

void ModelSheet::setCaption(int label, const QString &text)
{
    checkRange(label, highestOutputLabel);
    m_captions[label] = text;
}

void ModelSheet::change()
{
    ++m_runs;
    m_deepest = std::max(m_deepest, ++m_depth);
    countFieldChange(*this);
    --m_depth;
}

} // namespace tally

// SPDX-License-Identifier: MIT
#pragma once

namespace tally {

class Sheet;

// Reads all 22 counts, resets those of value zero to "0", and writes every
// amount, both column totals, their summary copies and the Total.
//
// On a run-time error the run stops where it failed, clears every output
// caption it had not yet written (so nothing stale stays on show) and
// rethrows; the counts are never touched by a failure.
void recalculate(Sheet &sheet);

// The Change procedure of every count field: one recalculation run as an
// event, whose errors go to the platform's reporting.
void countFieldChange(Sheet &sheet) noexcept;

} // namespace tally

// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>
#include <QString>

namespace tally {

// What the recalculation sees of a tally: count fields and captions, named
// by the numbers of their controls. The window and the model both provide it.
class Sheet
{
public:
    virtual ~Sheet() = default;

    virtual QString countText(int field) const = 0;
    // Writing a text that differs from the field's raises the field's change
    // at once, so the recalculation runs again before this returns; writing
    // the same text raises nothing.
    virtual void setCountText(int field, const QString &text) = 0;

    virtual QString caption(int label) const = 0;
    virtual void setCaption(int label, const QString &text) = 0;

    // The separator numbers are written with; counts always use the full stop.
    virtual QChar decimalSeparator() const = 0;
};

} // namespace tally

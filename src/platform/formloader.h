// SPDX-License-Identifier: MIT
#pragma once

#include "platform/formlayout.h"

#include <QFont>
#include <QRect>

class QWidget;

namespace platform {

// Creates every control of the design on the client area, rearmost first so
// that the stacking comes out as designed.
void buildControls(QWidget *clientArea, const FormSpec &design);

// The control's rectangle in device-independent pixels.
QRect controlRect(const ControlSpec &control);

// The small dialog font every caption is drawn in, and the product title's.
QFont dialogFont();
QFont titleFont();

} // namespace platform

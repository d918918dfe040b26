// SPDX-License-Identifier: MIT
#pragma once

#include "platform/forms/formlayout.h"

#include <QFont>

#include <vector>

class QWidget;

namespace platform {

// Creates every control of the design on the client area, rearmost first so
// that the stacking comes out as designed; returns them in the design's order.
std::vector<QWidget *> buildControls(QWidget *clientArea, const FormDesign &design);

// The small dialog font every caption is drawn in.
QFont dialogFont();

} // namespace platform

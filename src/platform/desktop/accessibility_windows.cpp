// SPDX-License-Identifier: MIT
#include "platform/desktop/accessibilitybridge.h"

namespace platform {

// Qt's UI Automation bridge raises the change of a description itself.
void bridgeDescriptionChanged(QWidget *, const QString &) {}

} // namespace platform

// SPDX-License-Identifier: MIT
#pragma once

class QLabel;
class QString;

namespace platform {

// Lets assistive technology read labels the way a sighted user does: a label
// that shows a value announces its accessible name with the value, and a
// purely decorative mark ("=", "$") is not announced at all.
void installAccessibility();

void markDecorative(QLabel *label);

// The label shows a value: it is announced by this name, with its caption as
// the value.
void nameValueLabel(QLabel *label, const QString &name);

} // namespace platform

// SPDX-License-Identifier: MIT
#pragma once

// The program's windows, each behind the reference that bears its name.

#include "platform/form.h"

namespace app {

class TallyForm final : public platform::FormInstance
{
protected:
    platform::FormWindow *createWindow() override;
};

extern platform::FormReference<TallyForm> Form1;

} // namespace app

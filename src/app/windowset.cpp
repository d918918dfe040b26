// SPDX-License-Identifier: MIT
#include "app/windowset.h"

#include "ui/tally_window/tallywindow.h"

namespace app {

platform::FormReference<TallyForm> Form1;

platform::FormWindow *TallyForm::createWindow()
{
    return new ui::TallyWindow;
}

} // namespace app

// SPDX-License-Identifier: MIT
#include "app/windowset.h"

#include "platform/runtime/text.h"
#include "ui/about/aboutwindow.h"
#include "ui/tally_window/tallywindow.h"

namespace app {

platform::FormReference<TallyForm> Form1;
platform::FormReference<AboutForm<ui::form2, ui::productAboutItem>> Form2;
platform::FormReference<AboutForm<ui::form3, ui::makerAboutItem>> Form3;

platform::FormWindow *TallyForm::createWindow()
{
    auto *window = new ui::TallyWindow;
    // Through the references, so each kind has one window for the whole run.
    QObject::connect(window, &ui::TallyWindow::productAboutChosen, window, [] { Form2->show(); });
    QObject::connect(window, &ui::TallyWindow::makerAboutChosen, window, [] { Form3->show(); });
    return window;
}

platform::FormWindow *createAboutWindow(platform::FormInstance &instance, const platform::FormDesign &design,
                                        std::string_view readerName)
{
    auto *window = new ui::AboutWindow(design);
    window->setAccessibleName(platform::toQString(readerName));
    QObject::connect(window, &ui::AboutWindow::closeChosen, window, [&instance] { instance.unload(); });
    return window;
}

} // namespace app

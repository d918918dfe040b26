// SPDX-License-Identifier: MIT
#include "app/windowset.h"

#include "platform/runtime/text.h"
#include "ui/about/aboutwindow.h"
#include "ui/about/form2layout.h"
#include "ui/about/form3layout.h"
#include "ui/tally_window/tallywindow.h"

namespace app {

platform::FormReference<TallyForm> Form1;
platform::FormReference<ProductAboutForm> Form2;
platform::FormReference<MakerAboutForm> Form3;

platform::FormWindow *TallyForm::createWindow()
{
    auto *window = new ui::TallyWindow;
    // Through the references, so each kind has one window for the whole run.
    QObject::connect(window, &ui::TallyWindow::productAboutChosen, window, [] { Form2->show(); });
    QObject::connect(window, &ui::TallyWindow::makerAboutChosen, window, [] { Form3->show(); });
    return window;
}

ProductAboutForm::ProductAboutForm()
    : AboutForm(ui::form2, ui::productAboutItem)
{
}

MakerAboutForm::MakerAboutForm()
    : AboutForm(ui::form3, ui::makerAboutItem)
{
}

platform::FormWindow *AboutForm::createWindow()
{
    auto *window = new ui::AboutWindow(m_design);
    window->setAccessibleName(platform::toQString(m_readerName));
    QObject::connect(window, &ui::AboutWindow::closeChosen, window, [this] { unload(); });
    return window;
}

} // namespace app

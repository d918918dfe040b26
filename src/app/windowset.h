// SPDX-License-Identifier: MIT
#pragma once

// The program's windows, each behind the reference that bears its name.

#include "platform/forms/form.h"
#include "ui/about/form2layout.h"
#include "ui/about/form3layout.h"

#include <string_view>

namespace app {

class TallyForm final : public platform::FormInstance
{
protected:
    platform::FormWindow *createWindow() override;
};

platform::FormWindow *createAboutWindow(platform::FormInstance &instance, const platform::FormDesign &design,
                                        std::string_view readerName);

// Both about windows; the Close button unloads the window through this
// instance, which stays for the next showing. The window shows no caption, so
// a reader knows it by the menu item that opened it.
template<const platform::FormDesign &design, const std::string_view &readerName>
class AboutForm final : public platform::FormInstance
{
protected:
    platform::FormWindow *createWindow() override { return createAboutWindow(*this, design, readerName); }
};

extern platform::FormReference<TallyForm> Form1;
extern platform::FormReference<AboutForm<ui::form2, ui::productAboutItem>> Form2;
extern platform::FormReference<AboutForm<ui::form3, ui::makerAboutItem>> Form3;

} // namespace app

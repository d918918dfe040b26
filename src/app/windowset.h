// SPDX-License-Identifier: MIT
#pragma once

// The program's windows, each behind the reference that bears its name.

#include "platform/forms/form.h"

#include <string_view>

namespace app {

class TallyForm final : public platform::FormInstance
{
protected:
    platform::FormWindow *createWindow() override;
};

// Both about windows; the Close button unloads the window through this
// instance, which stays for the next showing. The window shows no caption, so
// a reader knows it by the menu item that opened it.
class AboutForm : public platform::FormInstance
{
protected:
    AboutForm(const platform::FormDesign &design, std::string_view readerName)
        : m_design(design)
        , m_readerName(readerName)
    {
    }
    platform::FormWindow *createWindow() override;

private:
    const platform::FormDesign &m_design;
    std::string_view m_readerName;
};

class ProductAboutForm final : public AboutForm
{
public:
    ProductAboutForm();
};

class MakerAboutForm final : public AboutForm
{
public:
    MakerAboutForm();
};

extern platform::FormReference<TallyForm> Form1;
extern platform::FormReference<ProductAboutForm> Form2;
extern platform::FormReference<MakerAboutForm> Form3;

} // namespace app

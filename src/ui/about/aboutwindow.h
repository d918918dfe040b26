// SPDX-License-Identifier: MIT
#pragma once

// The product and the maker about windows: one class, built from either
// layout table. Each shows fixed texts and a "Close" button; what the button
// does is the window set's business (it unloads the window through its
// instance), so the window only reports the click.

#include "platform/forms/form.h"

class QPushButton;

namespace ui {

class AboutWindow final : public platform::FormWindow
{
    Q_OBJECT
public:
    explicit AboutWindow(const platform::FormDesign &design);

Q_SIGNALS:
    void closeChosen();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPushButton *m_closeButton = nullptr;
};

} // namespace ui

// SPDX-License-Identifier: MIT
#include "ui/about/aboutwindow.h"

#include <QPushButton>

namespace ui {

AboutWindow::AboutWindow(const platform::FormSpec &design)
    : FormWindow(design)
    , m_closeButton(clientArea()->findChild<QPushButton *>(QStringLiteral("Command1")))
{
    connect(m_closeButton, &QPushButton::clicked, this, &AboutWindow::closeChosen);
    // The only control that takes the focus; keyboard users close at once.
    m_closeButton->setFocus();
}

} // namespace ui

// SPDX-License-Identifier: MIT
#include "ui/about/aboutwindow.h"

#include "app/identity.h"

#include <QLabel>
#include <QPushButton>

namespace ui {

AboutWindow::AboutWindow(const platform::FormDesign &design)
    : FormWindow(design)
{
    auto *closeButton = clientArea()->findChild<QPushButton *>(QStringLiteral("Command1"));
    connect(closeButton, &QPushButton::clicked, this, &AboutWindow::closeChosen);
    // The word mark is the maker's name in letters a screen reader cannot see.
    if (auto *wordMark = clientArea()->findChild<QLabel *>(QStringLiteral("Image1")))
        wordMark->setAccessibleName(QString::fromUtf8(app::companyName.data(), qsizetype(app::companyName.size())));
    // The only control that takes the focus; keyboard users close at once.
    closeButton->setFocus();
}

} // namespace ui

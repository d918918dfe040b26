// SPDX-License-Identifier: MIT
#include "ui/about/aboutwindow.h"

#include "app/identity.h"
#include "platform/desktop/accessibility.h"
#include "platform/runtime/text.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace ui {

AboutWindow::AboutWindow(const platform::FormDesign &design)
    : FormWindow(design)
    , m_closeButton(static_cast<QPushButton *>(control("Command1")))
{
    connect(m_closeButton, &QPushButton::clicked, this, &AboutWindow::closeChosen);
    QList<QLabel *> labels = clientArea()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    std::ranges::stable_sort(labels, {}, [](const QLabel *label) { return label->y(); });
    QStringList text;
    for (const QLabel *label : labels) {
        if (!label->text().isEmpty())
            text << label->text();
    }
    platform::readOnOpening(this, m_closeButton, text.join(u' '));
    // The word mark is the maker's name in letters a screen reader cannot see.
    if (QWidget *wordMark = control("Image1"))
        wordMark->setAccessibleName(platform::toQString(app::companyName));
    // The only control that takes the focus; keyboard users close at once.
    m_closeButton->setFocus();
}

void AboutWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window as its button does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_closeButton->click();
        return;
    }
    FormWindow::keyPressEvent(event);
}

} // namespace ui

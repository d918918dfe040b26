// SPDX-License-Identifier: MIT
#include "ui/tally_window/tallywindow.h"

#include "platform/controls.h"
#include "tally/recalculation.h"
#include "ui/tally_window/form1layout.h"

#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>

namespace ui {

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/tillomar-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

TallyWindow::TallyWindow()
    : FormWindow(form1)
    , m_decimalSeparator(QLocale().decimalPoint().front())
{
    setWindowIcon(applicationIcon());
    for (int n = 1; n <= tally::labelCount; ++n)
        m_labels[n] = clientArea()->findChild<QLabel *>(QStringLiteral("Label%1").arg(n));
    for (int n = 1; n <= tally::countFieldCount; ++n) {
        platform::TextBox *field = clientArea()->findChild<platform::TextBox *>(QStringLiteral("Text%1").arg(n));
        m_fields[n] = field;
        connect(field, &QLineEdit::textChanged, this, [this] { tally::countChanged(*this); });
        connect(field, &platform::TextBox::clicked, this, [field] { selectWholeText(*field); });
    }
    createMenu();
    m_fields[1]->setFocus();
}

void TallyWindow::createMenu()
{
    QMenu *about = menuBar()->addMenu(QStringLiteral("About"));
    about->menuAction()->setObjectName(QStringLiteral("about"));
    QAction *product = about->addAction(QStringLiteral("About Tillomar"));
    product->setObjectName(QStringLiteral("abouttillomar"));
    QAction *maker = about->addAction(QStringLiteral("About Varnholt"));
    maker->setObjectName(QStringLiteral("aboutvarnholt"));
    connect(product, &QAction::triggered, this, &TallyWindow::productAboutChosen);
    connect(maker, &QAction::triggered, this, &TallyWindow::makerAboutChosen);
}

QString TallyWindow::countText(int field) const
{
    return m_fields.at(field)->text();
}

void TallyWindow::setCountText(int field, const QString &text)
{
    m_fields.at(field)->setText(text);
}

QString TallyWindow::caption(int label) const
{
    return m_labels.at(label)->text();
}

void TallyWindow::setCaption(int label, const QString &text)
{
    m_labels.at(label)->setText(text);
}

QChar TallyWindow::decimalSeparator() const
{
    return m_decimalSeparator;
}

void selectWholeText(platform::TextBox &field)
{
    field.setCursorPosition(0);
    field.setSelection(0, int(field.text().size()));
}

} // namespace ui

// SPDX-License-Identifier: MIT
#include "ui/tally_window/tallywindow.h"

#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "tally/recalculation.h"
#include "ui/tally_window/form1layout.h"

#include <QLabel>
#include <QLocale>
#include <QMenuBar>

namespace ui {

namespace {

// "Starting Amount:" and "Number of $5's" read as one phrase.
QString joined(const QString &a, const QString &b)
{
    return a.trimmed() + u' ' + b.trimmed();
}

} // namespace

TallyWindow::TallyWindow()
    : FormWindow(form1)
    , m_decimalSeparator(QLocale().decimalPoint().front())
{
    setWindowIcon(platform::lazyIcon(QStringLiteral(":/icons/tillomar-%1.png"), {16, 32, 48}));
    for (int n = 1; n <= tally::labelCount; ++n)
        m_labels[n] = clientArea()->findChild<QLabel *>(QStringLiteral("Label%1").arg(n));
    for (int n = 1; n <= tally::countFieldCount; ++n) {
        platform::TextBox *field = clientArea()->findChild<platform::TextBox *>(QStringLiteral("Text%1").arg(n));
        m_fields[n] = field;
        connect(field, &QLineEdit::textChanged, this, [this] { tally::countChanged(*this); });
        connect(field, &platform::TextBox::clicked, this, [field] { selectWholeText(*field); });
    }
    createMenu();
    nameForAssistiveTechnology();
    m_fields[1]->setFocus();
}

void TallyWindow::nameForAssistiveTechnology()
{
    using tally::columns;
    for (const tally::Denomination &row : tally::denominations) {
        for (int column : {tally::Starting, tally::Ending}) {
            const tally::RowControls &cell = row.columns[column];
            const QString header = m_labels[columns[column].header]->text();
            m_labels[cell.caption]->setBuddy(m_fields[cell.field]);
            m_fields[cell.field]->setAccessibleName(joined(header, m_labels[cell.caption]->text()));
            platform::nameValueLabel(m_labels[cell.amount],
                                     joined(header, QStringLiteral("amount of %1's").arg(QLatin1StringView(row.name))));
            platform::markDecorative(m_labels[cell.sign]);
        }
    }
    for (const tally::ColumnControls &column : columns) {
        platform::nameValueLabel(m_labels[column.total], joined(m_labels[column.header]->text(), QStringLiteral("total")));
        QString summaryCaption = m_labels[column.summaryCaption]->text();
        summaryCaption.remove(u'-').remove(u':');
        platform::nameValueLabel(m_labels[column.summary], joined(QStringLiteral("Summary,"), summaryCaption));
        platform::markDecorative(m_labels[column.totalDollar]);
        platform::markDecorative(m_labels[column.summaryDollar]);
    }
    QString total = m_labels[tally::totalCaption]->text();
    total.remove(u':');
    platform::nameValueLabel(m_labels[tally::totalLabel], total);
    platform::markDecorative(m_labels[tally::totalDollar]);
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
    // An equal text changes nothing: the caret, the selection and a reader
    // are left alone.
    platform::TextBox *box = m_fields.at(field);
    if (box->text() != text)
        box->setText(text);
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

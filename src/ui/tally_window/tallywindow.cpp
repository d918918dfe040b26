// SPDX-License-Identifier: MIT
#include "ui/tally_window/tallywindow.h"

#include "app/identity.h"
#include "platform/desktop/accessibility.h"
#include "platform/forms/controls.h"
#include "platform/forms/pictures.h"
#include "platform/runtime/eventprocedure.h"
#include "platform/runtime/text.h"
#include "tally/recalculation.h"
#include "ui/about/abouttexts.h"
#include "ui/tally_window/form1layout.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string_view>

namespace ui {

namespace {

// "Starting Amount:" and "Number of $5's" read as one phrase.
QString joined(const QString &a, const QString &b)
{
    return a.trimmed() + u' ' + b.trimmed();
}

template<typename Controls>
auto existing(const Controls &controls, int number)
{
    const auto control = number >= 0 && std::size_t(number) < controls.size() ? controls[std::size_t(number)] : nullptr;
    if (!control)
        throw std::out_of_range("no such control");
    return control;
}

// The number a control's name ends in: 42 for Label42.
int nameNumber(std::string_view name)
{
    int number = 0;
    std::from_chars(name.data() + name.find_first_of("0123456789"), name.data() + name.size(), number);
    return number;
}

} // namespace

TallyWindow::TallyWindow()
    : FormWindow(form1)
    , m_decimalSeparator(QLocale().decimalPoint().front())
{
    setWindowIcon(platform::lazyIcon(QStringLiteral(":/icons/tillomar-%1.png"), {16, 32, 48}));
    for (std::size_t i = 0; i < form1Controls.size(); ++i) {
        const int number = nameNumber(form1Controls[i].name);
        if (form1Controls[i].family == platform::Family::Label) {
            m_labels.resize(std::max(m_labels.size(), std::size_t(number) + 1));
            m_labels[std::size_t(number)] = static_cast<QLabel *>(controls()[i]);
        } else if (form1Controls[i].family == platform::Family::Text) {
            auto *field = static_cast<platform::TextBox *>(controls()[i]);
            m_fields.at(std::size_t(number)) = field;
            connect(field, &QLineEdit::textChanged, this, &TallyWindow::runChangeProcedure);
            connect(field, &platform::TextBox::clicked, this, [field] { selectWholeText(*field); });
        }
    }
    createMenu();
    nameForAssistiveTechnology();
    m_fields[1]->setFocus();
}

void TallyWindow::runChangeProcedure()
{
    tally::countFieldChange(*this);
    // Told once, when the zero resets' nested runs are all done.
    if (!platform::insideEventProcedure() && QAccessible::isActive())
        describeValues(focusWidget());
}

// A reader in a count field hears what its row comes to and the Total
// without leaving the field.
void TallyWindow::describeValues(QWidget *focus)
{
    for (const tally::Denomination &row : tally::denominations) {
        for (const tally::RowControls &cell : row.columns) {
            if (m_fields[cell.field] != focus)
                continue;
            const QString amount = m_labels[cell.amount]->text();
            platform::describe(focus, amount.isEmpty() ? QString()
                                                       : QStringLiteral("Amount %1, Total %2")
                                                             .arg(amount, m_labels[tally::totalLabel]->text()));
            return;
        }
    }
}

void TallyWindow::nameForAssistiveTechnology()
{
    // No caption is a field's buddy: a reader would name the field by the
    // caption alone and lose the column.
    for (const tally::Denomination &row : tally::denominations) {
        for (int column : {tally::Starting, tally::Ending}) {
            const int field = row.columns[column].field;
            m_fields[field]->setAccessibleName(
                joined(m_labels[columnHeaders[column]]->text(), m_labels[fieldCaptions[field]]->text()));
        }
    }
    QWidget *banner = control("Image1");
    banner->setAccessibleName(platform::toQString(app::productName));

    // Reading order: the banner and the headers, then row by row as they
    // stand on screen, each row's caption, field and amount together, then
    // the totals and the summary. Rules, panels and signs only decorate.
    auto rows = tally::denominations;
    std::ranges::stable_sort(rows, {}, [this](const tally::Denomination &row) {
        return m_fields[row.columns[tally::Starting].field]->y();
    });
    QList<QWidget *> order{banner};
    for (int header : columnHeaders)
        order << m_labels[header];
    for (const tally::Denomination &row : rows) {
        for (const tally::RowControls &cell : row.columns)
            order << m_labels[fieldCaptions[cell.field]] << m_fields[cell.field] << m_labels[cell.amount];
    }
    for (const tally::ColumnControls &column : tally::columns)
        order << m_labels[column.total];
    for (int column : {tally::Starting, tally::Ending})
        order << m_labels[summaryCaptions[column]] << m_labels[tally::columns[column].summary];
    order << m_labels[totalCaption] << m_labels[tally::totalLabel];
    platform::setReadingOrder(clientArea(), order);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (QAccessible::isActive())
            describeValues(now);
    });
}

void TallyWindow::createMenu()
{
    m_aboutMenu = menuBar()->addMenu(QStringLiteral("About"));
    m_aboutMenu->menuAction()->setObjectName(QStringLiteral("about"));
    QAction *product = m_aboutMenu->addAction(platform::toQString(productAboutItem));
    product->setObjectName(QStringLiteral("abouttillomar"));
    QAction *maker = m_aboutMenu->addAction(platform::toQString(makerAboutItem));
    maker->setObjectName(QStringLiteral("aboutvarnholt"));
    connect(product, &QAction::triggered, this, &TallyWindow::productAboutChosen);
    connect(maker, &QAction::triggered, this, &TallyWindow::makerAboutChosen);

    // F10 opens the menu, as on other desktops; the entries themselves have
    // no keys.
    auto *openMenu = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(openMenu, &QShortcut::activated, this, [this] {
        menuBar()->setActiveAction(m_aboutMenu->menuAction());
        m_aboutMenu->setActiveAction(m_aboutMenu->actions().constFirst());
    });
    m_aboutMenu->installEventFilter(this);
}

bool TallyWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Escape leaves the menu altogether, and the field that had the focus has
    // it again, rather than leaving the user on the menu bar.
    if (watched == m_aboutMenu && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        m_aboutMenu->hide();
        return true;
    }
    return FormWindow::eventFilter(watched, event);
}

platform::TextBox *TallyWindow::countField(int field) const
{
    return existing(m_fields, field);
}

QLabel *TallyWindow::label(int number) const
{
    return existing(m_labels, number);
}

QString TallyWindow::countText(int field) const
{
    return countField(field)->text();
}

void TallyWindow::setCountText(int field, const QString &text)
{
    // An equal text changes nothing: the caret, the selection and a reader
    // are left alone.
    platform::TextBox *box = countField(field);
    if (box->text() == text)
        return;
    box->setText(text);
    // A count the user has just emptied comes back as a selected "0", so
    // what is typed next replaces it rather than landing beside it.
    if (box->hasFocus())
        selectWholeText(*box);
}

QString TallyWindow::caption(int number) const
{
    return label(number)->text();
}

void TallyWindow::setCaption(int number, const QString &text)
{
    platform::showValue(label(number), text);
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

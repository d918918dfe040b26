// SPDX-License-Identifier: MIT
// What a screen reader finds, read through the interfaces every reader's
// bridge reads (AT-SPI on Linux, UI Automation on Windows): the controls in
// reading order with their roles and names, the focused field's
// description, and the events one keystroke sends. Accessibility is made
// active as a reader makes it; the program tells readers nothing otherwise.

#include "windowtesting.h"

#include "app/application.h"
#include "app/windowset.h"
#include "platform/forms/controls.h"

#include <QAccessible>
#include <QMenu>
#include <QMetaEnum>
#include <QTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

QStringList heard; // "NAME EVENT" of each event sent, in order

void record(QAccessibleEvent *event)
{
    heard << event->object()->objectName() + u' ' + QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type());
}

// "NAME ROLE: TEXT" of each control that carries words or a value, in the
// order a reader walks them; the focused field's description after " | ".
QStringList readerWalk(QAccessibleInterface *node)
{
    QStringList read;
    static const QList<QAccessible::Role> roles{QAccessible::Window,  QAccessible::EditableText,
                                                QAccessible::StaticText, QAccessible::Graphic,
                                                QAccessible::MenuItem, QAccessible::Button};
    if (roles.contains(node->role()) && !node->state().invisible) {
        read << node->object()->objectName() + u' ' + QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())
                    + QStringLiteral(": ") + node->text(QAccessible::Name);
        if (node->state().focused && node->role() == QAccessible::EditableText)
            read.back() += QStringLiteral(" | ") + node->text(QAccessible::Description);
    }
    for (int i = 0; i < node->childCount(); ++i)
        read += readerWalk(node->child(i));
    return read;
}

QStringList readerWalk(QObject *window)
{
    return readerWalk(QAccessible::queryAccessibleInterface(window));
}

// The sheet's rows top down: the denomination, then caption, field and
// amount of the starting column and of the ending one.
struct Row
{
    const char *denomination;
    int cells[6];
};
constexpr Row rows[] = {{"$100", {1, 1, 42, 21, 19, 52}}, {"$50", {2, 2, 43, 20, 18, 53}},
                        {"$20", {3, 3, 44, 19, 17, 54}},  {"$10", {9, 4, 45, 13, 16, 55}},
                        {"$5", {5, 5, 46, 17, 15, 56}},   {"$2", {76, 21, 78, 79, 22, 81}},
                        {"$1", {6, 6, 47, 16, 14, 57}},   {"50c", {7, 20, 48, 15, 7, 58}},
                        {"20c", {8, 8, 49, 14, 13, 59}},  {"10c", {4, 9, 50, 18, 12, 60}},
                        {"5c", {10, 10, 51, 12, 11, 61}}};

// The tally window as read, each value label showing its value from VALUES,
// else OTHERWISE; the focused field's description is VALUES[0].
QStringList tallyWindow(const QMap<int, QString> &values, const QString &focus, const QString &otherwise = {})
{
    const auto label = [](int number, const QString &text) {
        return QStringLiteral("Label%1 StaticText: %2").arg(number).arg(text);
    };
    const auto value = [&](int number) { return label(number, values.value(number, otherwise)); };
    QStringList read{"Form1 Window: Varnholt Tillomar", "Image1 Graphic: Tillomar", label(62, "Starting Amount:"),
                     label(63, "Ending Amount:")};
    for (const Row &row : rows) {
        for (const QString column : {"Starting Amount:", "Ending Amount:"}) {
            const int *cell = row.cells + (column.startsWith(u'S') ? 0 : 3);
            const QString caption = QStringLiteral("Number of %1's").arg(QLatin1String(row.denomination));
            const QString field = QStringLiteral("Text%1").arg(cell[1]);
            read << label(cell[0], caption)
                 << field + QStringLiteral(" EditableText: %1 %2").arg(column, caption)
                        + (field == focus ? QStringLiteral(" | ") + values.value(0) : QString())
                 << value(cell[2]);
        }
    }
    read << value(64) << value(65) << label(66, "Starting Amount:") << value(67) << label(68, " - Ending Amount:")
         << value(69) << label(71, "Total:") << value(70) << "about MenuItem: About";
    return read;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        app::setUpApplication();
        QPlatformAccessibility *accessibility = QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (!accessibility)
            QSKIP("this window system has no accessibility");
        QAccessible::installUpdateHandler(record);
        accessibility->setActive(true);
    }

    void countingAsHeard()
    {
        app::Form1->show();
        auto *window = static_cast<ui::TallyWindow *>(app::Form1->window());
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(readerWalk(window), tallyWindow({}, "Text1"));

        // 4 x $100 and 3 x $50 counted at the start, then 3 x 50c at the end.
        for (const auto &[field, key] : {std::pair{1, '4'}, {2, '3'}, {7, '3'}}) {
            window->countField(field)->setFocus();
            window->countField(field)->selectAll();
            heard.clear();
            QTest::keyClick(window->countField(field), key);
        }
        // The last key tells of the values it changed and of the focused
        // field's new description, and of nothing else.
        heard.removeIf([](const QString &event) { return event.startsWith(u"Text7 Text"); });
        QCOMPARE(heard, (QStringList{"Label58 NameChanged", "Label58 TextUpdated", "Label65 NameChanged",
                                     "Label65 TextUpdated", "Label69 NameChanged", "Label69 TextUpdated",
                                     "Label70 NameChanged", "Label70 TextUpdated", "Text7 DescriptionChanged"}));
        const QMap<int, QString> counted{{0, "Amount 1.5, Total -548.5"}, {42, "400"}, {43, "150"},
                                         {58, "1.5"}, {64, "550"}, {65, "1.5"}, {67, "550"}, {69, "1.5"},
                                         {70, "-548.5"}};
        QCOMPARE(readerWalk(window), tallyWindow(counted, "Text7", "0"));

        QTest::keyClick(window, Qt::Key_F10);
        QMenu *menu = window->findChild<QMenu *>();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(readerWalk(menu),
                 (QStringList{"abouttillomar MenuItem: About Tillomar", "aboutvarnholt MenuItem: About Varnholt"}));
        menu->hide();
    }

    void aboutWindowsAsHeard()
    {
        app::Form1->show();
        app::Form1->window()->findChild<QAction *>("abouttillomar")->trigger();
        QCOMPARE(readerWalk(app::Form2->window()),
                 (QStringList{"Form2 Window: About Tillomar",
                              "Label2 StaticText: Tillomar created by Varnholt (www.varnholt.example) as a request "
                              "from a user. This program is intended to find out your makings preferably at a flea "
                              "market or a garage sale of some sort. This program is very fast and effective for "
                              "calculating money with different currency amounts.",
                              "Label1 StaticText: Tillomar", "Command1 Button: Close"}));
        app::Form1->window()->findChild<QAction *>("aboutvarnholt")->trigger();
        QCOMPARE(readerWalk(app::Form3->window()),
                 (QStringList{"Form3 Window: About Varnholt", "Image1 Graphic: Varnholt",
                              "Label1 StaticText: Program created by Varnholt. Varnholt is a non-profit organization "
                              "out to help people in need of helpful programs. If you would like to donate or have a "
                              "program created for yourself, go to www.varnholt.example and send a request.",
                              "Command1 Button: Close"}));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

// SPDX-License-Identifier: MIT
// The tally window as a user meets it: typed, tabbed, clicked, pasted and
// maximized. How it looks is the rendering test's; the arithmetic the model's.

#include "windowtesting.h"

#include "app/application.h"
#include "app/windowset.h"
#include "platform/forms/controls.h"
#include "platform/desktop/errormessage.h"
#include "ui/tally_window/tallywindow.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>


using platform::TextBox;
using ui::TallyWindow;

namespace {

// Types into a field as the user does: select everything, then the keys.
void typeInto(TallyWindow &window, int field, const QString &keys)
{
    TextBox *box = window.countField(field);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, keys);
}

} // namespace

class TestTallyWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { app::setUpApplication(); }

    void windowSettings()
    {
        auto window = openWindow();
        QCOMPARE(window->clientArea()->mapToGlobal(QPoint(0, 0)), QPoint(10, 54));
        QVERIFY(refusesDraggedSize(*window));
        QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        // Both icons are read only when first asked for; they must then be there.
        QCOMPARE(window->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
        QVERIFY(!window->menuBar()->style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).isNull());

        // Maximized, the client area grows and the controls stay where they were.
        const QRect before = window->label(70)->geometry();
        window->showMaximized();
        QTRY_VERIFY(window->clientArea()->width() > 515);
        QCOMPARE(window->label(70)->geometry(), before);
        window->showNormal();
        QTRY_COMPARE(window->clientArea()->size(), QSize(515, 424));
    }

    void tabWalk()
    {
        const QList<int> sequence{1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 7, 21, 22};
        auto window = openWindow();
        for (int step = 1; step <= sequence.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), window->countField(sequence[step % sequence.size()]));
        }
    }

    void lengthLimits()
    {
        auto window = openWindow();
        typeInto(*window, 5, "1234");
        QCOMPARE(window->countText(5), "123");
        QApplication::clipboard()->setText("98765");
        window->countField(6)->selectAll(); // over its "0"
        window->countField(6)->paste();
        QCOMPARE(window->countText(6), "987");
        window->setCountText(7, "4444"); // a write is held to the limit too
        QCOMPARE(window->countText(7), "444");
        window->countField(22)->selectAll();
        window->countField(22)->paste();
        QCOMPARE(window->countText(22), "98765");
    }

    void selectionOnClick_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("clickX");
        QTest::newRow("a zero") << 1 << "0" << 4;
        QTest::newRow("three characters, clicked mid-text") << 2 << "123" << 10;
        QTest::newRow("empty") << 3 << "" << 4;
        QTest::newRow("a long count in the $2 field") << 22 << QString(300, u'1') << 12;
    }

    void selectionOnClick()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, clickX);
        auto window = openWindow();
        TextBox *box = window->countField(field);
        box->blockSignals(true); // set the stage without recalculating
        box->setText(text);
        box->blockSignals(false);
        box->setFocus();
        box->setCursorPosition(1);

        QSignalSpy changes(box, &QLineEdit::textChanged);
        for (int click = 0; click < 2; ++click) { // also when it already has the focus
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(clickX, box->height() / 2));
            QCOMPARE(box->selectedText(), text);
            QCOMPARE(box->selectionStart(), text.isEmpty() ? -1 : 0);
        }
        QCOMPARE(changes.count(), 0);
    }

    // Emptied, a field is reset to "0" at once; what is typed next must
    // replace that "0", not land beside it against the length limit.
    void countTypedAfterTheReset_data()
    {
        QTest::addColumn<QKeySequence>("emptying");
        QTest::newRow("BackSpace over the clicked count") << QKeySequence(Qt::Key_Backspace);
        QTest::newRow("End, BackSpace twice") << QKeySequence(Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace);
        QTest::newRow("Ctrl+A, Delete") << QKeySequence(QStringLiteral("Ctrl+A, Del"));
    }

    void countTypedAfterTheReset()
    {
        QFETCH(QKeySequence, emptying);
        auto window = openWindow();
        TextBox *box = window->countField(3); // starting $20
        const QPoint middle(10, box->height() / 2);
        QTest::mouseClick(box, Qt::LeftButton, {}, middle);
        QTest::keyClicks(box, "35");
        QTest::mouseClick(box, Qt::LeftButton, {}, middle);
        QTest::keySequence(box, emptying);
        QCOMPARE(window->countText(3), "0");
        QTest::keyClicks(box, "150");
        QCOMPARE(window->countText(3), "150");
        QCOMPARE(window->caption(44), "3000");
    }

    void overflowShowsOneMessageBox()
    {
        platform::installMessageBoxReporter();
        auto window = openWindow();
        typeInto(*window, 1, "5");
        QStringList boxes;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->windowTitle() + "|" + box->text();
                box->accept();
            }
        });
        closer.start(20);
        typeInto(*window, 22, "1e15");
        closer.stop();

        QCOMPARE(boxes, QStringList{"Tillomar|Run-time error '6':\n\nOverflow"});
        QCOMPARE(window->countText(22), "1e15");
    }

    void megabytePasteRecalculates()
    {
        auto window = openWindow();
        QApplication::clipboard()->setText("7" + QString(1 << 20, u' ') + "x");
        window->countField(22)->paste(); // into the empty field
        QCOMPARE(window->countText(22).size(), (1 << 20) + 2);
        QCOMPARE(window->caption(70), "14");
    }

    void decimalCommaOfTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto window = openWindow();
        QLocale::setDefault(QLocale::system());
        typeInto(*window, 7, "3");
        QCOMPARE(window->caption(58), "1,5");
        QCOMPARE(window->caption(70), "1,5");
    }
};

QTEST_MAIN(TestTallyWindow)
#include "tst_tallywindow.moc"

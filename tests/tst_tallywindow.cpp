// SPDX-License-Identifier: MIT
// The tally window as built from its layout table, and the recalculation and
// selection as a user meets them: typed, tabbed, clicked and pasted.

#include "app/application.h"
#include "app/windowset.h"
#include "platform/controls.h"
#include "platform/errormessage.h"
#include "platform/eventprocedure.h"
#include "tally/denominations.h"
#include "ui/tally_window/form1layout.h"
#include "ui/tally_window/tallywindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using platform::Family;
using platform::TextBox;
using ui::TallyWindow;

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

QString nameOf(const platform::ControlDesign &control)
{
    return QString::fromUtf8(control.name.data(), qsizetype(control.name.size()));
}

std::unique_ptr<TallyWindow> openWindow()
{
    auto window = std::make_unique<TallyWindow>();
    window->settle();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the tally window did not become active");
    return window;
}

// Types into a field as the user does: select everything, then the keys;
// '^' stands for the Home key. A lone "-" counts zero and is reset at once,
// so a negative count is typed digits first and its sign after Home.
void typeInto(TallyWindow &window, int field, const QString &keys)
{
    TextBox *box = window.countField(field);
    box->setFocus();
    box->selectAll();
    if (keys.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar key : keys) {
        if (key == u'^')
            QTest::keyClick(box, Qt::Key_Home);
        else
            QTest::keyClicks(box, QString(key));
    }
}

} // namespace

class TestTallyWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void controlsMatchTheLayoutTable();
    void stacking();
    void windowSettings();
    void startsBlankWithFocusInFirstField();
    void tabWalk();
    void lengthLimits();
    void selectionOnClick_data();
    void selectionOnClick();
    void typedScenarios_data();
    void typedScenarios();
    void overflowShowsOneMessageBox();
    void germanLocaleShowsCommas();
    void iconFileHoldsSixImages();
    void megabytePasteRecalculates();

private:
    std::vector<platform::RuntimeError> m_reported;
    platform::ErrorReporter m_messageBoxes;
};

void TestTallyWindow::initTestCase()
{
    app::setUpApplication();
}

void TestTallyWindow::init()
{
    m_reported.clear();
    m_messageBoxes = platform::setErrorReporter(
        [this](const platform::RuntimeError &e) { m_reported.push_back(e); });
}

void TestTallyWindow::cleanup()
{
    platform::setErrorReporter(std::move(m_messageBoxes));
    QLocale::setDefault(QLocale::c());
}

void TestTallyWindow::controlsMatchTheLayoutTable()
{
    auto window = openWindow();
    QMap<Family, int> families;
    for (const auto &control : ui::form1Controls) {
        QWidget *widget = window->clientArea()->findChild<QWidget *>(nameOf(control));
        QVERIFY2(widget, qPrintable(nameOf(control)));
        ++families[control.family];
        if (control.family == Family::Line) {
            QCOMPARE(widget->geometry(), QRect(px(control.left), px(control.top),
                                               px(control.left + control.width) - px(control.left), 1));
        } else {
            QCOMPARE(widget->geometry(),
                     QRect(px(control.left), px(control.top), px(control.width), px(control.height)));
        }
        switch (control.family) {
        case Family::Text:
            QVERIFY(qobject_cast<TextBox *>(widget));
            break;
        case Family::Label:
            QVERIFY(qobject_cast<QLabel *>(widget) && !qobject_cast<platform::ImageControl *>(widget));
            QCOMPARE(static_cast<QLabel *>(widget)->text(), QString::fromUtf8(control.text.data(), control.text.size()));
            break;
        case Family::Line:
            QVERIFY(qobject_cast<platform::LineControl *>(widget));
            break;
        case Family::Shape:
            QVERIFY(qobject_cast<platform::ShapeControl *>(widget));
            break;
        case Family::Image:
            QCOMPARE(static_cast<QLabel *>(widget)->pixmap().size(), QSize(346, 62));
            break;
        case Family::Button:
            QFAIL("the tally window has no buttons");
        }
    }
    QCOMPARE(families[Family::Text], 22);
    QCOMPARE(families[Family::Label], 81);
    QCOMPARE(families[Family::Line], 25);
    QCOMPARE(families[Family::Shape], 8);
    QCOMPARE(families[Family::Image], 1);
    QCOMPARE(window->clientArea()->children().size(), 137);

    // Spot checks against the design, independent of the table.
    QCOMPARE(window->countField(8)->height(), 21); // the one taller field
    QCOMPARE(window->countField(21)->geometry(), QRect(152, 175, 25, 19));
    QCOMPARE(window->label(68)->text(), " - Ending Amount:");
    QCOMPARE(window->countField(1)->maxLength(), 3);
    QCOMPARE(window->countField(22)->maxLength(), std::numeric_limits<int>::max());
}

void TestTallyWindow::stacking()
{
    auto window = openWindow();
    const QObjectList order = window->clientArea()->children(); // rearmost first
    const auto place = [&](const char *name) {
        return order.indexOf(window->clientArea()->findChild<QWidget *>(name));
    };
    QCOMPARE(place("Shape8"), 0); // the summary panel is rearmost
    QCOMPARE(place("Text22"), 136);
    QCOMPARE(place("Text1"), 115);
    // Every shape lies behind every line, label and the banner; every count
    // field above all of them; a display box in front of its panel.
    int frontmostShape = -1, rearmostOther = 1000, rearmostField = 1000, frontmostNonField = -1;
    for (int i = 0; i < order.size(); ++i) {
        const QString name = order[i]->objectName();
        if (name.startsWith("Shape"))
            frontmostShape = std::max(frontmostShape, i);
        else
            rearmostOther = std::min(rearmostOther, i);
        if (name.startsWith("Text"))
            rearmostField = std::min(rearmostField, i);
        else
            frontmostNonField = std::max(frontmostNonField, i);
    }
    QVERIFY(frontmostShape < rearmostOther);
    QVERIFY(frontmostNonField < rearmostField);
    QVERIFY(place("Shape3") > place("Shape1"));
    QVERIFY(place("Shape7") > place("Shape8"));
    QVERIFY(place("Image1") > place("Label70"));
}

void TestTallyWindow::windowSettings()
{
    auto window = openWindow();
    QCOMPARE(window->objectName(), "Form1");
    QCOMPARE(window->windowTitle(), "Varnholt Tillomar");
    QCOMPARE(window->clientArea()->size(), QSize(515, 424));
    QCOMPARE(window->clientArea()->mapToGlobal(QPoint(0, 0)), QPoint(10, 54));
    QCOMPARE(window->minimumSize(), window->maximumSize()); // no resizing by dragging
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!window->windowIcon().isNull());

    const QList<QAction *> bar = window->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar[0]->objectName(), "about");
    QCOMPARE(bar[0]->text(), "About");
    const QList<QAction *> items = bar[0]->menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName(), "abouttillomar");
    QCOMPARE(items[0]->text(), "About Tillomar");
    QCOMPARE(items[1]->objectName(), "aboutvarnholt");
    QCOMPARE(items[1]->text(), "About Varnholt");

    // Maximized, the client area grows and the controls stay where they were.
    const QRect before = window->label(70)->geometry();
    window->showMaximized();
    QTRY_VERIFY(window->isMaximized());
    QTRY_VERIFY(window->clientArea()->width() > 515);
    QCOMPARE(window->label(70)->geometry(), before);
    window->showNormal();
    QTRY_COMPARE(window->clientArea()->size(), QSize(515, 424));
}

void TestTallyWindow::startsBlankWithFocusInFirstField()
{
    int lastWindowUnloaded = 0;
    auto previous = platform::setLastWindowUnloadedHandler([&] { ++lastWindowUnloaded; });
    app::Form1->show();
    auto *window = static_cast<TallyWindow *>(app::Form1->window());
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (int n = 1; n <= tally::countFieldCount; ++n)
        QCOMPARE(window->countText(n), QString());
    for (const auto &row : tally::denominations)
        for (const auto &cell : row.columns)
            QCOMPARE(window->caption(cell.amount), QString());
    for (int label : {64, 65, 67, 69, 70})
        QCOMPARE(window->caption(label), QString());
    QCOMPARE(QApplication::focusWidget(), window->countField(1));

    // Clicking a label or a panel neither moves the focus nor runs anything.
    QTest::mouseClick(window->label(1), Qt::LeftButton);
    QTest::mouseClick(window->clientArea()->findChild<QWidget *>("Shape1"), Qt::LeftButton, {}, QPoint(5, 200));
    QCOMPARE(QApplication::focusWidget(), window->countField(1));
    QCOMPARE(window->countText(2), QString());

    window->close();
    QCOMPARE(lastWindowUnloaded, 1);
    QVERIFY(!app::Form1->window());
    platform::setLastWindowUnloadedHandler(std::move(previous));
}

void TestTallyWindow::tabWalk()
{
    const QList<int> sequence{1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 7, 21, 22};
    auto window = openWindow();
    QCOMPARE(QApplication::focusWidget(), window->countField(1));
    for (int step = 1; step <= sequence.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->countField(sequence[step % sequence.size()]));
    }
    for (int step = sequence.size() - 1; step >= 0; --step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), window->countField(sequence[step]));
    }
}

void TestTallyWindow::lengthLimits()
{
    auto window = openWindow();
    typeInto(*window, 5, "1234");
    QCOMPARE(window->countText(5), "123");
    QCOMPARE(window->caption(46), "615");

    QApplication::clipboard()->setText("98765");
    window->countField(6)->selectAll();
    window->countField(6)->paste();
    QCOMPARE(window->countText(6), "987");

    window->setCountText(7, "4444"); // a write is held to the limit too
    QCOMPARE(window->countText(7), "444");

    window->countField(22)->selectAll();
    window->countField(22)->paste();
    QCOMPARE(window->countText(22), "98765");
    QCOMPARE(window->caption(81), "197530");
}

void TestTallyWindow::selectionOnClick_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("clickX");
    QTest::newRow("a zero") << 1 << "0" << 4;
    QTest::newRow("three characters, clicked mid-text") << 2 << "123" << 10;
    QTest::newRow("empty") << 3 << "" << 4;
    QTest::newRow("a long count in the $2 field") << 22 << QString(300, u'1') << 12;
}

void TestTallyWindow::selectionOnClick()
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
    if (text == "0") {
        QTest::keyClicks(box, "7");
        QCOMPARE(box->text(), "7");
    }
}

using Typed = QList<QPair<int, QString>>;
using Shown = QList<QPair<int, QString>>;

void TestTallyWindow::typedScenarios_data()
{
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<Shown>("shown");
    QTest::newRow("five hundreds into an empty window")
        << Typed{{1, "5"}}
        << Shown{{42, "500"}, {43, "0"}, {52, "0"}, {64, "500"}, {65, "0"}, {67, "500"}, {69, "0"}, {70, "-500"}};
    QTest::newRow("a gain of 180")
        << Typed{{4, "5"}, {19, "2"}, {17, "1.5"}} << Shown{{64, "50"}, {65, "230"}, {70, "180"}};
    QTest::newRow("a negative count") << Typed{{1, "3^-"}} << Shown{{42, "-300"}, {64, "-300"}, {70, "300"}};
    QTest::newRow("fractions") << Typed{{1, "1.5"}, {20, "2.5"}} << Shown{{42, "150"}, {48, "1.25"}};
    QTest::newRow("binary fractions")
        << Typed{{8, "1"}, {9, "1"}, {11, "7"}} << Shown{{49, "0.2"}, {50, "0.1"}, {64, "0.3"}, {61, "0.35"}};
    QTest::newRow("a residue")
        << Typed{{20, "6^-."}, {8, "1"}, {9, "1"}} << Shown{{64, "2.77555756156289E-17"}, {67, "2.77555756156289E-17"}, {70, "0"}};
    QTest::newRow("cleared field returns to zero")
        << Typed{{3, "7"}, {3, ""}} << Shown{{44, "0"}, {64, "0"}, {70, "0"}};
}

void TestTallyWindow::typedScenarios()
{
    QFETCH(Typed, typed);
    QFETCH(Shown, shown);
    auto window = openWindow();
    for (const auto &[field, text] : typed)
        typeInto(*window, field, text);
    for (const auto &[label, caption] : shown)
        QCOMPARE(window->caption(label), caption);
    if (typed.last().second.isEmpty())
        QCOMPARE(window->countText(typed.last().first), "0");
    QVERIFY(m_reported.empty());
}

void TestTallyWindow::overflowShowsOneMessageBox()
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
    QCOMPARE(window->countText(1), "5");
    QCOMPARE(window->caption(81), "2E+15");
    QCOMPARE(window->caption(70), QString()); // no stale Total of the earlier counts

    typeInto(*window, 22, "1");
    QCOMPARE(window->caption(70), "-498");
}

void TestTallyWindow::germanLocaleShowsCommas()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto window = openWindow();
    typeInto(*window, 20, "2.5"); // counts still take the full stop
    typeInto(*window, 13, "1");
    QCOMPARE(window->caption(48), "1,25");
    QCOMPARE(window->caption(67), "1,25");
    QCOMPARE(window->caption(59), "0,2");
    QCOMPARE(window->caption(70), "-1,05");
}

void TestTallyWindow::iconFileHoldsSixImages()
{
    QImageReader reader(QStringLiteral(TILLOMAR_SOURCE_DIR "/resources/tillomar.ico"));
    QCOMPARE(reader.imageCount(), 6);
    const int sizes[] = {48, 32, 16, 48, 32, 16};
    const QSize glyphs[] = {{17, 29}, {17, 29}, {8, 15}, {17, 29}, {17, 29}, {8, 15}};
    for (int i = 0; i < 6; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(sizes[i], sizes[i]));
        QRect ink;
        bool soft = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() == 0)
                    continue;
                // Soft edges come back through premultiplied alpha, which
                // blurs the green level but never adds red or blue.
                if (c.alpha() == 255)
                    QCOMPARE(c.rgb() & 0xFFFFFF, 0x008000u);
                else
                    QVERIFY(c.red() == 0 && c.blue() == 0);
                soft |= c.alpha() < 255;
                ink |= QRect(x, y, 1, 1);
            }
        }
        QCOMPARE(ink.size(), glyphs[i]);
        if (i < 3)
            QVERIFY(!soft); // palette images have a mask, no partial alpha
        if (i == 5)
            QVERIFY(soft);
    }
}

void TestTallyWindow::megabytePasteRecalculates()
{
    auto window = openWindow();
    QApplication::clipboard()->setText("7" + QString(1 << 20, u' ') + "x");
    window->countField(22)->setFocus();
    window->countField(22)->paste();
    QCOMPARE(window->countText(22).size(), (1 << 20) + 2);
    QCOMPARE(window->caption(81), "14");
    QCOMPARE(window->caption(70), "14");
}

QTEST_MAIN(TestTallyWindow)
#include "tst_tallywindow.moc"

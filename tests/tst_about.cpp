// SPDX-License-Identifier: MIT
// The two about windows as the user meets them through the tally window's
// menu, and the rule that the program lives while any window is loaded.

#include "app/application.h"
#include "app/windowset.h"
#include "platform/controls.h"
#include "tally/denominations.h"
#include "ui/about/form2layout.h"
#include "ui/about/form3layout.h"
#include "ui/tally_window/tallywindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QTest>

using platform::Family;
using platform::FormInstance;
using platform::FormDesign;
using platform::FormWindow;

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

FormInstance &instance(const QString &form)
{
    if (form == u"Form1")
        return *app::Form1;
    return form == u"Form2" ? static_cast<FormInstance &>(*app::Form2) : *app::Form3;
}

const FormDesign &layout(const QString &form)
{
    return form == u"Form2" ? ui::form2 : ui::form3;
}

QString menuItem(const QString &form)
{
    return form == u"Form2" ? QStringLiteral("abouttillomar") : QStringLiteral("aboutvarnholt");
}

// Chooses the about window's item in the tally window's menu, as a user does.
FormWindow *choose(const QString &form)
{
    instance(QStringLiteral("Form1")).show();
    instance(QStringLiteral("Form1")).window()->findChild<QAction *>(menuItem(form))->trigger();
    return instance(form).window();
}

QPushButton *closeButton(FormWindow *window)
{
    return window->clientArea()->findChild<QPushButton *>(QStringLiteral("Command1"));
}

int windowsNamed(const QString &form)
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->objectName() == form && widget->isVisible();
    return count;
}

// Whether the face's 'cmap' table has a Unicode subtable (platform 0, or
// Windows Unicode BMP or full repertoire), as text fonts do and symbol fonts
// and fonts with their own encodings do not.
bool hasUnicodeCharacterMap(const QRawFont &face)
{
    const QByteArray cmap = face.fontTable("cmap");
    const auto u16 = [&cmap](qsizetype at) {
        return at + 2 <= cmap.size() ? (quint8(cmap[at]) << 8 | quint8(cmap[at + 1])) : -1;
    };
    const int subtables = u16(2);
    for (int n = 0; n < subtables; ++n) {
        const int platform = u16(4 + 8 * n), encoding = u16(6 + 8 * n);
        if (platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10)))
            return true;
    }
    return false;
}

void addRowPerWindow()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("product about") << QStringLiteral("Form2");
    QTest::newRow("maker about") << QStringLiteral("Form3");
}

// Every control where the design puts it, with its design-time text.
void verifyAsDesigned(FormWindow *window, const FormDesign &design)
{
    for (const platform::ControlDesign &control : design.controls) {
        QWidget *widget = window->clientArea()->findChild<QWidget *>(qs(control.name));
        QVERIFY2(widget, control.name.data());
        QCOMPARE(widget->pos(), QPoint(px(control.left), px(control.top)));
        if (control.family == Family::Line) {
            QCOMPARE(widget->width(), px(control.left + control.width) - px(control.left));
            continue;
        }
        QCOMPARE(widget->size(), QSize(px(control.width), px(control.height)));
        if (auto *label = qobject_cast<QLabel *>(widget); label && control.family == Family::Label) {
            QCOMPARE(label->text(), qs(control.text));
            QVERIFY(label->wordWrap());
            // Wrapped at word boundaries, the whole text stays inside the box.
            const QRect needed = label->fontMetrics().boundingRect(
                QRect(QPoint(), widget->size()), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
            QVERIFY2(needed.height() <= widget->height() && needed.width() <= widget->width(), control.name.data());
        }
    }
    QCOMPARE(closeButton(window)->text(), "Close");
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void oneWindowHoweverOftenChosen_data() { addRowPerWindow(); }
    void oneWindowHoweverOftenChosen();
    void windowAsDesigned_data();
    void windowAsDesigned();
    void textsFromThreePieces();
    void buttonDrawnAboveText_data() { addRowPerWindow(); }
    void buttonDrawnAboveText();
    void ruleCutOffAtRightEdge();
    void titleInTextFontThatFits();
    void accessibleNames_data();
    void accessibleNames();
    void closeLoadsFreshWindow_data() { addRowPerWindow(); }
    void closeLoadsFreshWindow();
    void keyboardCloses_data();
    void keyboardCloses();
    void tallyStaysUsable();
    void programEndsAfterLastWindow_data();
    void programEndsAfterLastWindow();

private:
    int m_lastWindowUnloaded = 0;
    std::function<void()> m_previousHandler;
};

void TestAbout::initTestCase()
{
    app::setUpApplication();
}

void TestAbout::init()
{
    m_lastWindowUnloaded = 0;
    m_previousHandler = platform::setLastWindowUnloadedHandler([this] { ++m_lastWindowUnloaded; });
}

void TestAbout::cleanup()
{
    for (const char *form : {"Form1", "Form2", "Form3"})
        instance(QString::fromLatin1(form)).unload();
    QCOMPARE(platform::loadedWindowCount(), 0);
    platform::setLastWindowUnloadedHandler(std::move(m_previousHandler));
}

void TestAbout::oneWindowHoweverOftenChosen()
{
    QFETCH(QString, form);
    FormInstance *const first = &instance(form);
    FormWindow *const window = choose(form);
    QVERIFY(window);
    FormWindow *const tally = instance(QStringLiteral("Form1")).window();
    for (int again = 0; again < 3; ++again) {
        // Even from behind the tally window, the one window comes to the front.
        tally->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tally));
        QCOMPARE(choose(form), window);
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QCOMPARE(&instance(form), first);
    }
    QCOMPARE(windowsNamed(form), 1);
    QCOMPARE(platform::loadedWindowCount(), 2);
}

void TestAbout::windowAsDesigned_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QSize>("clientSize");
    QTest::newRow("product about") << QStringLiteral("Form2") << QSize(378, 161);
    QTest::newRow("maker about") << QStringLiteral("Form3") << QSize(394, 168);
}

void TestAbout::windowAsDesigned()
{
    QFETCH(QString, form);
    QFETCH(QSize, clientSize);
    FormWindow *window = choose(form);
    QCOMPARE(window->objectName(), form);
    QCOMPARE(window->clientArea()->size(), clientSize);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->windowTitle(), QString());
    QVERIFY(window->windowIcon().isNull());

    // A tool window: no title bar, no buttons, no task-bar entry; its thin
    // frame is its own, one pixel around the client area.
    const Qt::WindowFlags flags = window->windowFlags();
    QCOMPARE(window->windowType(), Qt::Tool);
    QVERIFY(flags & Qt::FramelessWindowHint);
    QCOMPARE(window->clientArea()->pos(), QPoint(1, 1));
    QCOMPARE(window->size(), clientSize + QSize(2, 2));
    for (Qt::WindowType hint : {Qt::WindowTitleHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        QVERIFY(!(flags & hint));

    verifyAsDesigned(window, layout(form));
    QCOMPARE(window->focusWidget(), closeButton(window));
}

void TestAbout::textsFromThreePieces()
{
    const auto text = [](const QString &form, const char *label) {
        return choose(form)->clientArea()->findChild<QLabel *>(QString::fromLatin1(label))->text();
    };
    QCOMPARE(text(QStringLiteral("Form2"), "Label1"), "Tillomar");
    QCOMPARE(text(QStringLiteral("Form2"), "Label2"),
             "Tillomar created by Varnholt (www.varnholt.example) as a request from a user. This program is "
             "intended to find out your makings preferably at a flea market or a garage sale of some sort. This "
             "program is very fast and effective for calculating money with different currency amounts.");
    QCOMPARE(text(QStringLiteral("Form3"), "Label1"),
             "Program created by Varnholt. Varnholt is a non-profit organization out to help people in need of "
             "helpful programs. If you would like to donate or have a program created for yourself, go to "
             "www.varnholt.example and send a request.");
}

void TestAbout::buttonDrawnAboveText()
{
    QFETCH(QString, form);
    FormWindow *window = choose(form);
    QPushButton *button = closeButton(window);
    const QString text = form == u"Form2" ? QStringLiteral("Label2") : QStringLiteral("Label1");
    const QRect overlap = button->geometry() & window->clientArea()->findChild<QLabel *>(text)->geometry();
    QVERIFY(!overlap.isEmpty());
    QCOMPARE(window->clientArea()->childAt(overlap.center()), button);
}

void TestAbout::ruleCutOffAtRightEdge()
{
    FormWindow *window = choose(QStringLiteral("Form3"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QPixmap grab = window->clientArea()->grab();
    const QImage client = grab.toImage();
    const int y = int(window->clientArea()->findChild<QWidget *>(QStringLiteral("Line1"))->y() * grab.devicePixelRatio());
    // Drawn from the very left to the very right edge of the client area.
    for (int x : {0, client.width() / 2, client.width() - 1})
        QVERIFY2(qGray(client.pixel(x, y)) < 64, qPrintable(QString::number(x)));
}

void TestAbout::titleInTextFontThatFits()
{
    auto *title = choose(QStringLiteral("Form2"))->clientArea()->findChild<QLabel *>(QStringLiteral("Label1"));
    const QFontInfo info = title->fontInfo();
    QCOMPARE(info.pixelSize(), 27); // 20.25 points at 96 dots per inch
    // A missing family can resolve to a symbols font, which may even claim the
    // letters' codes for its pictures: the face actually used must map every
    // letter through a Unicode character map.
    const QRawFont face = QRawFont::fromFont(title->font());
    QVERIFY2(hasUnicodeCharacterMap(face), qPrintable(info.family()));
    for (QChar letter : title->text())
        QVERIFY2(face.supportsCharacter(letter), qPrintable(info.family()));
    const QFontMetrics metrics(title->font());
    QVERIFY(metrics.horizontalAdvance(title->text()) <= title->width());
    QVERIFY(metrics.height() <= title->height());
}

void TestAbout::accessibleNames_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name"); // empty: not announced
    QTest::newRow("product title") << "Form2" << "Label1" << int(QAccessible::StaticText) << "Tillomar";
    QTest::newRow("product close") << "Form2" << "Command1" << int(QAccessible::Button) << "Close";
    QTest::newRow("word mark") << "Form3" << "Image1" << int(QAccessible::Graphic) << "Varnholt";
    QTest::newRow("maker close") << "Form3" << "Command1" << int(QAccessible::Button) << "Close";
    QTest::newRow("rule") << "Form3" << "Line1" << int(QAccessible::NoRole) << "";
}

void TestAbout::accessibleNames()
{
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QWidget *widget = choose(form)->clientArea()->findChild<QWidget *>(control);
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(widget);
    QCOMPARE(int(interface->role()), role);
    QCOMPARE(interface->text(QAccessible::Name), name);
    QCOMPARE(bool(interface->state().invisible), name.isEmpty());
}

void TestAbout::closeLoadsFreshWindow()
{
    QFETCH(QString, form);
    const QPointer<FormWindow> first = choose(form);
    QTest::mouseClick(closeButton(first), Qt::LeftButton);
    QVERIFY(!instance(form).window());
    QCOMPARE(m_lastWindowUnloaded, 0);
    QTRY_VERIFY(first.isNull());

    FormWindow *again = choose(form);
    QVERIFY(again && again->isVisible());
    verifyAsDesigned(again, layout(form));
    QCOMPARE(windowsNamed(form), 1);
}

void TestAbout::keyboardCloses_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("key");
    QTest::newRow("product about, Return") << QStringLiteral("Form2") << int(Qt::Key_Return);
    QTest::newRow("product about, keypad Enter") << QStringLiteral("Form2") << int(Qt::Key_Enter);
    QTest::newRow("maker about, Space") << QStringLiteral("Form3") << int(Qt::Key_Space);
    QTest::newRow("maker about, Return") << QStringLiteral("Form3") << int(Qt::Key_Return);
}

void TestAbout::keyboardCloses()
{
    QFETCH(QString, form);
    QFETCH(int, key);
    FormWindow *window = choose(form);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), closeButton(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(!instance(form).window());
}

void TestAbout::tallyStaysUsable()
{
    FormWindow *product = choose(QStringLiteral("Form2"));
    FormWindow *maker = choose(QStringLiteral("Form3"));
    auto *tally = static_cast<ui::TallyWindow *>(instance(QStringLiteral("Form1")).window());
    tally->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tally));

    // Two $100 notes at the start are worth 200.
    const tally::RowControls &hundreds = tally::denominations[0].columns[tally::Starting];
    tally->countField(hundreds.field)->setFocus();
    QTest::keyClicks(tally->countField(hundreds.field), QStringLiteral("2"));
    QCOMPARE(tally->caption(hundreds.amount), "200");
    QVERIFY(product->isVisible() && maker->isVisible());
}

void TestAbout::programEndsAfterLastWindow_data()
{
    // Which windows are open, in the order they are closed.
    QTest::addColumn<QStringList>("closingOrder");
    const QString tally = QStringLiteral("Form1"), product = QStringLiteral("Form2"), maker = QStringLiteral("Form3");
    QTest::newRow("tally alone") << QStringList{tally};
    QTest::newRow("tally, then product about") << QStringList{tally, product};
    QTest::newRow("product about, then tally") << QStringList{product, tally};
    QTest::newRow("tally, product, maker") << QStringList{tally, product, maker};
    QTest::newRow("tally, maker, product") << QStringList{tally, maker, product};
    QTest::newRow("product, tally, maker") << QStringList{product, tally, maker};
    QTest::newRow("maker, tally, product") << QStringList{maker, tally, product};
    QTest::newRow("product, maker, tally") << QStringList{product, maker, tally};
    QTest::newRow("maker, product, tally") << QStringList{maker, product, tally};
}

void TestAbout::programEndsAfterLastWindow()
{
    QFETCH(QStringList, closingOrder);
    instance(QStringLiteral("Form1")).show();
    for (const QString &form : closingOrder)
        if (form != u"Form1")
            choose(form);

    for (qsizetype closed = 0; closed < closingOrder.size(); ++closed) {
        QCOMPARE(m_lastWindowUnloaded, 0);
        FormWindow *window = instance(closingOrder[closed]).window();
        if (closingOrder[closed] == u"Form1")
            window->close(); // as the window system's close command does
        else
            QTest::mouseClick(closeButton(window), Qt::LeftButton);
        QVERIFY(!instance(closingOrder[closed]).window());
        for (qsizetype open = closed + 1; open < closingOrder.size(); ++open)
            QVERIFY(instance(closingOrder[open]).window()->isVisible());
    }
    QCOMPARE(m_lastWindowUnloaded, 1);
    QCOMPARE(platform::loadedWindowCount(), 0);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"

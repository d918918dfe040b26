// SPDX-License-Identifier: MIT
// The two about windows as the user meets them through the tally window's
// menu, and the rule that the program lives while any window is loaded. How
// they look is the rendering test's.

#include "app/application.h"
#include "app/windowset.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using platform::FormInstance;
using platform::FormWindow;

namespace {

FormInstance &instance(const QString &form)
{
    if (form == u"Form1")
        return *app::Form1;
    return form == u"Form2" ? static_cast<FormInstance &>(*app::Form2) : *app::Form3;
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

void addRowPerWindow()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("product about") << QStringLiteral("Form2");
    QTest::newRow("maker about") << QStringLiteral("Form3");
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
    // Even from behind the tally window, the one window comes to the front.
    tally->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tally));
    QCOMPARE(choose(form), window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
    QCOMPARE(&instance(form), first);
    QCOMPARE(windowsNamed(form), 1);
    QCOMPARE(platform::loadedWindowCount(), 2);

    // Closed, it is unloaded; chosen again, the same instance loads it anew.
    const QPointer<FormWindow> closed = window;
    QTest::mouseClick(closeButton(window), Qt::LeftButton);
    QVERIFY(!instance(form).window());
    QTRY_VERIFY(closed.isNull());
    QVERIFY(choose(form)->isVisible());
    QCOMPARE(&instance(form), first);
    QCOMPARE(windowsNamed(form), 1);
    QCOMPARE(m_lastWindowUnloaded, 0);
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
    QVERIFY(!window->parent() && window->windowModality() == Qt::NonModal);
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

    QCOMPARE(closeButton(window)->text(), "Close");
    QCOMPARE(window->focusWidget(), closeButton(window));
}

void TestAbout::programEndsAfterLastWindow_data()
{
    // Which windows are open, in the order they are closed.
    QTest::addColumn<QStringList>("closingOrder");
    const QString tally = QStringLiteral("Form1"), product = QStringLiteral("Form2"), maker = QStringLiteral("Form3");
    // The tally window first, in the middle and last.
    QTest::newRow("tally, product, maker") << QStringList{tally, product, maker};
    QTest::newRow("maker, tally, product") << QStringList{maker, tally, product};
    QTest::newRow("product, maker, tally") << QStringList{product, maker, tally};
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

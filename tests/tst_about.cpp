// SPDX-License-Identifier: MIT
// The two about windows as the user meets them through the tally window's
// menu, and the rule that the program lives while any window is loaded. How
// they look is the rendering test's; their frame on a real desktop is the
// real-window driver's.

#include "windowtesting.h"

#include "app/application.h"
#include "app/windowset.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using platform::FormInstance;
using platform::FormWindow;

namespace {

FormInstance &instance(int form)
{
    if (form == 1)
        return *app::Form1;
    return form == 2 ? static_cast<FormInstance &>(*app::Form2) : *app::Form3;
}

// Chooses the about window's item in the tally window's menu, as a user does.
FormWindow *choose(int form)
{
    app::Form1->show();
    const char *item = form == 2 ? "abouttillomar" : "aboutvarnholt";
    app::Form1->window()->findChild<QAction *>(QString::fromLatin1(item))->trigger();
    return instance(form).window();
}

QPushButton *closeButton(FormWindow *window)
{
    return window->clientArea()->findChild<QPushButton *>(QStringLiteral("Command1"));
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { app::setUpApplication(); }
    void cleanup()
    {
        for (int form : {1, 2, 3})
            instance(form).unload();
    }

    void oneWindowHoweverOftenChosen_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("product about") << 2;
        QTest::newRow("maker about") << 3;
    }

    void oneWindowHoweverOftenChosen()
    {
        QFETCH(int, form);
        FormInstance *const first = &instance(form);
        FormWindow *const window = choose(form);
        QVERIFY(refusesDraggedSize(*window));
        // Modeless with no owner: the tally window may cover it.
        QVERIFY(!window->parent() && window->windowModality() == Qt::NonModal);
        QCOMPARE(window->windowType(), Qt::Tool); // no task-bar entry
        QCOMPARE(window->focusWidget(), closeButton(window));

        // Even from behind the tally window, the one window comes to the front.
        FormWindow *const tally = app::Form1->window();
        tally->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tally));
        QCOMPARE(choose(form), window);
        QTRY_COMPARE(QApplication::activeWindow(), window);

        // Closed, it is unloaded; chosen again, the same instance loads it anew.
        const QPointer<FormWindow> closed = window;
        QTest::mouseClick(closeButton(window), Qt::LeftButton);
        QVERIFY(!instance(form).window());
        QTRY_VERIFY(closed.isNull());
        QVERIFY(choose(form)->isVisible());
        QCOMPARE(&instance(form), first);
    }

    void programEndsAfterLastWindow_data()
    {
        // The windows in the order they are closed: the tally window first, in
        // the middle and last.
        QTest::addColumn<QList<int>>("closingOrder");
        QTest::newRow("tally, product, maker") << QList<int>{1, 2, 3};
        QTest::newRow("maker, tally, product") << QList<int>{3, 1, 2};
        QTest::newRow("product, maker, tally") << QList<int>{2, 3, 1};
    }

    void programEndsAfterLastWindow()
    {
        QFETCH(QList<int>, closingOrder);
        choose(2);
        choose(3);
        // One window closed at a time, as the user does, from inside the event
        // loop, which ends (and with it the program) only after the last.
        QObject scope; // its timers end with this test
        qsizetype closed = 0;
        int delay = 0;
        for (int form : closingOrder) {
            QTimer::singleShot(10 * ++delay, &scope, [&closed, &closingOrder, form] {
                FormWindow *window = instance(form).window();
                if (form == 1)
                    window->close(); // as the window system's close command does
                else
                    QTest::mouseClick(closeButton(window), Qt::LeftButton);
                ++closed;
                for (qsizetype open = closed; open < closingOrder.size(); ++open) {
                    if (!instance(closingOrder[open]).window()->isVisible())
                        QCoreApplication::exit(2);
                }
            });
        }
        QTimer::singleShot(5000, &scope, [] { QCoreApplication::exit(1); }); // it never ends
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(closed, closingOrder.size());
        for (int form : {1, 2, 3})
            QVERIFY(!instance(form).window());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"

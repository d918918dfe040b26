// SPDX-License-Identifier: MIT
// Every window natively on Wayland, under weston (started by
// realwindow/drive.sh). A compositor may maximize or fullscreen any window or
// offer another size, and a surface that then commits another size is a
// protocol error that ends the process with every count in it.

#include "app/application.h"
#include "app/windowset.h"
#include "platform/forms/controls.h"
#include "ui/tally_window/tallywindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

using platform::FormWindow;

class TestWayland : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName().startsWith(u"wayland"), qPrintable(QGuiApplication::platformName()));
        app::setUpApplication();
        app::Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(app::Form1->window()));
    }

    void windowKeepsCountsAndPlaces_data()
    {
        QTest::addColumn<QString>("aboutItem"); // none: the tally window itself
        QTest::addColumn<int>("state");         // none: a size offered as by a drag
        QTest::newRow("tally, maximized") << QString() << int(Qt::WindowMaximized);
        QTest::newRow("tally, dragged") << QString() << int(Qt::WindowNoState);
        QTest::newRow("product about, fullscreen") << "abouttillomar" << int(Qt::WindowFullScreen);
    }

    void windowKeepsCountsAndPlaces()
    {
        QFETCH(QString, aboutItem);
        QFETCH(int, state);
        // Typed without key events: weston's headless backend has no seat,
        // and Qt's Wayland input context then fails on every key.
        auto *tally = static_cast<ui::TallyWindow *>(app::Form1->window());
        tally->setCountText(1, QStringLiteral("2"));
        FormWindow *window = tally;
        if (!aboutItem.isEmpty()) {
            tally->findChild<QAction *>(aboutItem)->trigger();
            window = app::Form2->window();
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize designed = window->clientArea()->size();
        const QRect place = window->clientArea()->childrenRect();

        if (state == Qt::WindowNoState) {
            window->windowHandle()->resize(window->size() + QSize(200, 100));
        } else {
            window->windowHandle()->setWindowStates(Qt::WindowStates(state));
            QTRY_VERIFY(window->clientArea()->width() > designed.width());
            QCOMPARE(window->clientArea()->childrenRect(), place);
            window->windowHandle()->setWindowStates(Qt::WindowNoState);
        }
        QTest::qWait(300); // time for the compositor to end us on an error
        QTRY_COMPARE(window->clientArea()->size(), designed);
        QCOMPARE(window->clientArea()->childrenRect(), place);
        tally->setCountText(19, QStringLiteral("3")); // still counting
        QCOMPARE(tally->caption(70), "100");
        if (window != tally)
            window->close();
    }
};

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"

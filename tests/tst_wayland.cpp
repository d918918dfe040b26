// SPDX-License-Identifier: MIT
// Every window natively on Wayland, under a real compositor (weston's
// headless backend, started by realwindow/wayland.sh): a compositor may
// maximize or fullscreen any window, and a surface that then commits another
// size is a protocol error that ends the process with every count in it.
// The requests go through QWindow, as the title bar's buttons and the
// compositor's own keys do: the widgets hear of the new state only when the
// compositor has configured it.

#include "app/application.h"
#include "app/windowset.h"
#include "platform/controls.h"
#include "ui/tally_window/tallywindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include <map>

using platform::FormWindow;

namespace {

using Places = std::map<QString, QRect>;

Places placesOf(const FormWindow *window)
{
    Places places;
    for (const QWidget *control : window->clientArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        places[control->objectName()] = control->geometry();
    return places;
}

ui::TallyWindow *tallyWindow()
{
    app::Form1->show();
    return static_cast<ui::TallyWindow *>(app::Form1->window());
}

FormWindow *choose(const QString &form)
{
    ui::TallyWindow *tally = tallyWindow();
    tally->findChild<QAction *>(form == u"Form2" ? QStringLiteral("abouttillomar") : QStringLiteral("aboutvarnholt"))
        ->trigger();
    return form == u"Form2" ? app::Form2->window() : app::Form3->window();
}

// Lets the compositor answer, so that a protocol error would end us here.
void roundTrip()
{
    QTest::qWait(300);
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void tallyWindowKeepsCountsAndPlaces_data();
    void tallyWindowKeepsCountsAndPlaces();
    void aboutWindowsSurvive_data();
    void aboutWindowsSurvive();
    void draggedSizeSnapsBack();
};

void TestWayland::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName().startsWith(u"wayland"), qPrintable(QGuiApplication::platformName()));
    app::setUpApplication();
    QVERIFY(QTest::qWaitForWindowExposed(tallyWindow()));
}

void TestWayland::tallyWindowKeepsCountsAndPlaces_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("maximized") << int(Qt::WindowMaximized);
    QTest::newRow("fullscreen") << int(Qt::WindowFullScreen);
}

void TestWayland::tallyWindowKeepsCountsAndPlaces()
{
    QFETCH(int, state);
    ui::TallyWindow *window = tallyWindow();
    // Typed as the user types, without key events: weston's headless backend
    // has no seat, and Qt's Wayland input context then fails on every key.
    platform::TextBox *field = window->countField(1);
    field->setFocus();
    ui::selectWholeText(*field); // as a click into the field does
    field->insert(QStringLiteral("2"));
    window->setCountText(19, QStringLiteral("3"));
    QCOMPARE(window->caption(70), "100");
    const Places before = placesOf(window);
    const QSize normal = window->size();

    window->windowHandle()->setWindowStates(Qt::WindowStates(state));
    QTRY_VERIFY(window->windowState() & Qt::WindowStates(state));
    QTRY_VERIFY(window->clientArea()->width() > 515 && window->clientArea()->height() > 424);
    roundTrip();
    QCOMPARE(app::Form1->window(), window);
    QCOMPARE(placesOf(window), before);
    QCOMPARE(window->countText(1), "2");
    QCOMPARE(window->countText(19), "3");
    QCOMPARE(window->caption(70), "100");
    // Still counting while maximized.
    field->insert(QStringLiteral("0"));
    QCOMPARE(window->caption(70), "-1700");

    window->windowHandle()->setWindowStates(Qt::WindowNoState);
    QTRY_COMPARE(window->size(), normal);
    QTRY_COMPARE(window->clientArea()->size(), QSize(515, 424));
    roundTrip();
    QCOMPARE(placesOf(window), before);
    QCOMPARE(window->countText(1), "20");
    window->setCountText(1, QString());
    window->setCountText(19, QString());
}

void TestWayland::aboutWindowsSurvive_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("state");
    QTest::newRow("product about, maximized") << QStringLiteral("Form2") << int(Qt::WindowMaximized);
    QTest::newRow("maker about, maximized") << QStringLiteral("Form3") << int(Qt::WindowMaximized);
    QTest::newRow("maker about, fullscreen") << QStringLiteral("Form3") << int(Qt::WindowFullScreen);
}

void TestWayland::aboutWindowsSurvive()
{
    QFETCH(QString, form);
    QFETCH(int, state);
    ui::TallyWindow *tally = tallyWindow();
    tally->setCountText(2, QStringLiteral("4"));
    FormWindow *window = choose(form);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const Places before = placesOf(window);
    const QSize normal = window->size();

    window->windowHandle()->setWindowStates(Qt::WindowStates(state));
    QTRY_VERIFY(window->windowState() & Qt::WindowStates(state));
    roundTrip();
    QCOMPARE(placesOf(window), before);
    window->windowHandle()->setWindowStates(Qt::WindowNoState);
    QTRY_COMPARE(window->size(), normal);
    roundTrip();
    QCOMPARE(placesOf(window), before);
    QCOMPARE(tally->countText(2), "4");
    QCOMPARE(tally->caption(43), "200");
    tally->setCountText(2, QString());
    window->close();
}

void TestWayland::draggedSizeSnapsBack()
{
    // A normal window may commit a smaller size than a compositor offers
    // (as while the user drags its frame); it keeps its designed size.
    ui::TallyWindow *window = tallyWindow();
    const QSize normal = window->size();
    window->windowHandle()->resize(normal + QSize(200, 100));
    roundTrip();
    QTRY_COMPARE(window->size(), normal);
    QCOMPARE(window->clientArea()->size(), QSize(515, 424));
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"

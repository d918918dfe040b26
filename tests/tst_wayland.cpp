// SPDX-License-Identifier: MIT
// Every window natively on Wayland, under weston's headless backend (started
// by realwindow/drive.sh). A compositor may maximize or fullscreen any
// window, and a surface that then commits another size is a protocol error
// that ends the process with every count in it. The requests go through
// QWindow, as the title bar's buttons and the compositor's own keys do.

#include "app/application.h"
#include "app/windowset.h"
#include "platform/forms/controls.h"
#include "ui/tally_window/tallywindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include <map>

using platform::FormWindow;

namespace {

std::map<QString, QRect> placesOf(const FormWindow *window)
{
    std::map<QString, QRect> places;
    for (const QWidget *control : window->clientArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        places[control->objectName()] = control->geometry();
    return places;
}

// Time for the compositor to answer, so that a protocol error ends us there.
constexpr int roundTrip = 300;

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

    ui::TallyWindow *m_tally = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName().startsWith(u"wayland"), qPrintable(QGuiApplication::platformName()));
        app::setUpApplication();
        app::Form1->show();
        m_tally = static_cast<ui::TallyWindow *>(app::Form1->window());
        QVERIFY(QTest::qWaitForWindowExposed(m_tally));
    }

    void windowKeepsCountsAndPlaces_data()
    {
        QTest::addColumn<QString>("aboutItem"); // none: the tally window itself
        QTest::addColumn<int>("state");
        QTest::addColumn<QSize>("clientSize"); // as designed
        QTest::newRow("tally, maximized") << QString() << int(Qt::WindowMaximized) << QSize(515, 424);
        QTest::newRow("tally, fullscreen") << QString() << int(Qt::WindowFullScreen) << QSize(515, 424);
        QTest::newRow("product about, maximized") << "abouttillomar" << int(Qt::WindowMaximized) << QSize(378, 161);
        QTest::newRow("maker about, fullscreen") << "aboutvarnholt" << int(Qt::WindowFullScreen) << QSize(394, 168);
    }

    void windowKeepsCountsAndPlaces()
    {
        QFETCH(QString, aboutItem);
        QFETCH(int, state);
        QFETCH(QSize, clientSize);
        // Typed without key events: weston's headless backend has no seat,
        // and Qt's Wayland input context then fails on every key.
        platform::TextBox *field = m_tally->countField(1);
        field->setFocus();
        ui::selectWholeText(*field); // as a click into the field does
        field->insert(QStringLiteral("2"));
        m_tally->setCountText(19, QStringLiteral("3"));
        QCOMPARE(m_tally->caption(70), "100");
        FormWindow *window = m_tally;
        if (!aboutItem.isEmpty()) {
            m_tally->findChild<QAction *>(aboutItem)->trigger();
            window = aboutItem == u"abouttillomar" ? app::Form2->window() : app::Form3->window();
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto before = placesOf(window);

        window->windowHandle()->setWindowStates(Qt::WindowStates(state));
        QTRY_VERIFY(window->windowState() & Qt::WindowStates(state));
        QTRY_VERIFY(window->clientArea()->width() > clientSize.width()
                    && window->clientArea()->height() > clientSize.height());
        QTest::qWait(roundTrip);
        QCOMPARE(placesOf(window), before);
        field->insert(QStringLiteral("0")); // still counting
        window->windowHandle()->setWindowStates(Qt::WindowNoState);
        QTRY_COMPARE(window->clientArea()->size(), clientSize);
        QTest::qWait(roundTrip);
        QCOMPARE(placesOf(window), before);
        QCOMPARE(m_tally->countText(1), "20");
        QCOMPARE(m_tally->countText(19), "3");
        QCOMPARE(m_tally->caption(70), "-1700");
        if (window != m_tally)
            window->close();
    }

    void draggedSizeSnapsBack()
    {
        // A normal window may commit a smaller size than a compositor offers
        // (as while the user drags its frame); it keeps its designed size.
        const QSize normal = m_tally->size();
        m_tally->windowHandle()->resize(normal + QSize(200, 100));
        QTest::qWait(roundTrip);
        QTRY_COMPARE(m_tally->size(), normal);
        QCOMPARE(m_tally->clientArea()->size(), QSize(515, 424));
    }
};

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"

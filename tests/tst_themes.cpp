// SPDX-License-Identifier: MIT
// The tally window under the desktop's themes: its design fixes its colours,
// so a dark or high-contrast palette, set before the window is built or
// changed while it shows, leaves it as under the light palette. The about
// windows and the menus keep the desktop's colours.

#include "windowtesting.h"

#include "app/application.h"
#include "app/windowset.h"
#include "platform/forms/controls.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QStyleHints>

namespace {

QPalette darkPalette()
{
    // As a dark desktop theme gives it: light ink on dark surfaces.
    QPalette dark(QColor(230, 230, 230), QColor(53, 53, 53), QColor(80, 80, 80), QColor(20, 20, 20),
                  QColor(40, 40, 40), QColor(240, 240, 240), Qt::white, QColor(42, 42, 42), QColor(53, 53, 53));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, QColor(20, 20, 20));
    return dark;
}

QPalette highContrastPalette()
{
    QPalette contrast(Qt::yellow, Qt::black, Qt::white, Qt::white, Qt::gray, Qt::white, Qt::yellow, Qt::black,
                      Qt::black);
    contrast.setColor(QPalette::Highlight, Qt::cyan);
    contrast.setColor(QPalette::HighlightedText, Qt::black);
    return contrast;
}

// Values on show in every kind of control (amounts, column totals on their
// display boxes, the Total) and a selected count.
QImage withValues(ui::TallyWindow &window)
{
    window.setCountText(1, QStringLiteral("2"));  // starting $100
    window.setCountText(19, QStringLiteral("3")); // ending $100
    window.countField(1)->setFocus();
    window.countField(1)->selectAll();
    return window.clientArea()->grab().toImage();
}

} // namespace

class TestThemes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        app::setUpApplication();
        QApplication::styleHints()->setCursorFlashTime(0); // a caret that does not blink
    }
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }
    void asDesigned_data();
    void asDesigned();
    void restKeepsDesktopColours();
};

void TestThemes::asDesigned_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("beforeBuild");
    QTest::newRow("dark, before the window is built") << darkPalette() << true;
    QTest::newRow("dark, while it shows") << darkPalette() << false;
    QTest::newRow("high contrast, before the window is built") << highContrastPalette() << true;
    QTest::newRow("high contrast, while it shows") << highContrastPalette() << false;
}

// Pixel for pixel as under the light palette: at load as its picture, and
// with values and a selection as the same window under the light palette.
void TestThemes::asDesigned()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, beforeBuild);
    const QImage light = withValues(*openWindow());
    if (light.devicePixelRatio() != 1)
        QSKIP("the pictures are of scale 1");

    if (beforeBuild)
        QApplication::setPalette(palette);
    auto window = openWindow();
    if (!beforeBuild)
        QApplication::setPalette(palette);
    // Widgets hear of a new application palette through posted events.
    QCoreApplication::processEvents();
    QCOMPARE(pixelsDifferingFromReference(*window->clientArea(), QStringLiteral("form1")), 0);
    QCOMPARE(pixelsDiffering(withValues(*window), light, QStringLiteral("form1-values")), 0);
}

void TestThemes::restKeepsDesktopColours()
{
    const QPalette dark = darkPalette();
    app::Form1->show();
    auto *tally = static_cast<ui::TallyWindow *>(app::Form1->window());
    QVERIFY(QTest::qWaitForWindowExposed(tally));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    QCOMPARE(tally->menuBar()->palette().color(QPalette::Window), dark.color(QPalette::Window));
    QCOMPARE(tally->menuBar()->palette().color(QPalette::ButtonText), dark.color(QPalette::ButtonText));

    // The about windows, as designed, set no colours of their own.
    tally->findChild<QAction *>(QStringLiteral("abouttillomar"))->trigger();
    platform::FormWindow *about = app::Form2->window();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    const auto *text = about->clientArea()->findChild<QLabel *>(QStringLiteral("Label2"));
    QCOMPARE(text->palette().color(QPalette::WindowText), dark.color(QPalette::WindowText));
    QCOMPARE(about->clientArea()->palette().color(QPalette::Window), dark.color(QPalette::Window));
    app::Form2->unload();
    app::Form1->unload();
}

QTEST_MAIN(TestThemes)
#include "tst_themes.moc"

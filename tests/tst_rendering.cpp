// SPDX-License-Identifier: MIT
// The windows as drawn. Run at several scale factors (QT_SCALE_FACTOR);
// the pictures are compared at scale 1.

#include "windowtesting.h"

#include "app/application.h"
#include "ui/about/aboutwindow.h"
#include "ui/about/form2layout.h"
#include "ui/about/form3layout.h"
#include "platform/forms/controls.h"
#include "ui/tally_window/tallywindow.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QStyleHints>
#include <QTest>

class TestRendering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void windowAtLoadAsPictured_data();
    void windowAtLoadAsPictured();
    void everyValueAsPictured();
    void staticCaptionsFit();
    void bannerIsCrisp();
};

void TestRendering::initTestCase()
{
    app::setUpApplication();
    QApplication::styleHints()->setCursorFlashTime(0); // a caret that does not blink
}

void TestRendering::windowAtLoadAsPictured_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("tally") << "Form1";
    QTest::newRow("product about") << "Form2";
    QTest::newRow("maker about") << "Form3";
}

void TestRendering::windowAtLoadAsPictured()
{
    QFETCH(QString, form);
    std::unique_ptr<platform::FormWindow> window;
    if (form == u"Form1")
        window = openWindow();
    else
        window = openWindow<ui::AboutWindow>(form == u"Form2" ? ui::form2 : ui::form3);
    const QImage shot = window->clientArea()->grab().toImage();
    if (shot.devicePixelRatio() != 1)
        QSKIP("the pictures are of scale 1");
    QCOMPARE(QFontInfo(QApplication::font()).family(), "Liberation Sans");
    QCOMPARE(pixelsDifferingFromReference(*window->clientArea(), form.toLower()), 0);
}

// Blank at load, the value labels show their boxes only once filled: here
// each with a text longer than its box, so that a box moved, narrowed or
// widened by one pixel shows.
void TestRendering::everyValueAsPictured()
{
    auto window = openWindow();
    // Three characters a field: 1e9 of each denomination at the start, 9e9
    // at the end; one of each denomination is worth 188.85 dollars.
    for (int field = 1; field <= 22; ++field) {
        const bool ending = (field >= 11 && field <= 19) || field == 7 || field == 22;
        window->countField(field)->setText(ending ? QStringLiteral("9e9") : QStringLiteral("1e9"));
    }
    // The ending $2 field alone takes more: its decimals reach the Total.
    window->countField(22)->setText(QStringLiteral("9000000000.12345"));
    QCOMPARE(window->caption(64), "188850000000");
    QCOMPARE(window->caption(65), "1699650000000.25");
    QCOMPARE(window->caption(70), "1510800000000.25");
    const QImage shot = window->clientArea()->grab().toImage();
    if (shot.devicePixelRatio() != 1)
        QSKIP("the pictures are of scale 1");
    QCOMPARE(pixelsDifferingFromReference(*window->clientArea(), QStringLiteral("form1-values")), 0);
}

void TestRendering::staticCaptionsFit()
{
    auto window = openWindow();
    for (const QLabel *label : window->clientArea()->findChildren<QLabel *>()) {
        // Measured at the device's resolution, then back in logical pixels.
        const QSize needed = label->fontMetrics().size(0, label->text());
        QVERIFY2(label->text().isEmpty() || (needed.width() <= label->width() && needed.height() <= label->height()),
                 qPrintable(label->objectName()));
    }
}

void TestRendering::bannerIsCrisp()
{
    auto window = openWindow();
    const QPixmap picture = window->clientArea()->findChild<QLabel *>("Image1")->pixmap();
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(346, 62));
    // Drawn from the detailed copy, not blown up, wherever the screen is denser.
    QCOMPARE(picture.devicePixelRatio(), window->devicePixelRatioF() > 1 ? 2.0 : 1.0);
}

QTEST_MAIN(TestRendering)
#include "tst_rendering.moc"

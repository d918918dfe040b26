// SPDX-License-Identifier: MIT
// The windows as drawn. Run at several scale factors (QT_SCALE_FACTOR), each
// with pictures of its own, where every rule and outline must be one whole
// number of device pixels thick. The tally window's design fixes its
// colours, so a dark palette, set before the window is built or changed
// while it shows, leaves it as under the light palette;
// the about windows and the menus keep the desktop's colours. A window's
// client area is compared with a picture taken once from the program as
// designed, pixel for pixel, so that a control one pixel off, a wrong
// colour, stacking, font or line break shows; TILLOMAR_WRITE_REFERENCE=1
// writes the pictures anew, which must then be looked at.

#include "windowtesting.h"

#include "app/application.h"
#include "app/windowset.h"
#include "ui/about/aboutwindow.h"
#include "ui/about/form2layout.h"
#include "ui/about/form3layout.h"
#include "platform/forms/controls.h"
#include "platform/forms/formloader.h"
#include "ui/tally_window/tallywindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QTest>

#include <algorithm>

namespace {

// How many pixels of two pictures differ, beyond the small differences in
// the glyphs' soft edges; -1 when the sizes differ. Writes NAME-actual.png
// and NAME-difference.png where any do.
int pixelsDiffering(const QImage &grab, const QImage &expected, const QString &name)
{
    const QImage shot = grab.convertToFormat(QImage::Format_RGB32);
    const QImage reference = expected.convertToFormat(QImage::Format_RGB32);
    if (shot.size() != reference.size())
        return -1;
    QImage diff = reference;
    int differing = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb a = shot.pixel(x, y), b = reference.pixel(x, y);
            if (std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) > 48) {
                ++differing;
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    }
    if (differing) {
        shot.save(name + QStringLiteral("-actual.png"));
        diff.save(name + QStringLiteral("-difference.png"));
    }
    return differing;
}

// A picture of the client area as far as pictures compare: Windows draws
// glyphs and the fields' native frames its own way (the frames, under Qt 6.8,
// differently once an application palette is set), so there every control
// that shows text is left out.
QImage comparable(const QImage &picture, const QWidget &clientArea)
{
    QImage result = picture.convertToFormat(QImage::Format_RGB32);
#ifdef TILLOMAR_PICTURES_WITHOUT_TEXT
    QPainter blank(&result);
    for (const QWidget *control : clientArea.findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(control);
        if ((label && !label->text().isEmpty()) || qobject_cast<const QLineEdit *>(control)
            || qobject_cast<const QAbstractButton *>(control))
            blank.fillRect(control->geometry(), Qt::magenta);
    }
#else
    Q_UNUSED(clientArea);
#endif
    return result;
}

// The client area against tests/reference/NAME.png, NAME@SCALE.png at
// another scale.
int pixelsDifferingFromReference(QWidget &clientArea, QString name)
{
    const QImage grab = clientArea.grab().toImage();
    if (grab.devicePixelRatio() != 1)
        name += u'@' + QString::number(grab.devicePixelRatio());
    const QString path = QStringLiteral(TILLOMAR_SOURCE_DIR "/tests/reference/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("TILLOMAR_WRITE_REFERENCE"))
        return grab.convertToFormat(QImage::Format_RGB32).save(path) ? 0 : -1;
    QImage expected(path);
    expected.setDevicePixelRatio(grab.devicePixelRatio());
    return pixelsDiffering(comparable(grab, clientArea), comparable(expected, clientArea), name);
}

QPalette darkPalette()
{
    // As a dark desktop theme gives it: light ink on dark surfaces.
    QPalette dark(QColor(230, 230, 230), QColor(53, 53, 53), QColor(80, 80, 80), QColor(20, 20, 20),
                  QColor(40, 40, 40), QColor(240, 240, 240), Qt::white, QColor(42, 42, 42), QColor(53, 53, 53));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, QColor(20, 20, 20));
    return dark;
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

class TestRendering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        app::setUpApplication();
        QApplication::styleHints()->setCursorFlashTime(0); // a caret that does not blink
    }
    void cleanup()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        QApplication::setFont(platform::dialogFont());
    }

    void windowAtLoadAsPictured_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("dark"); // the desktop's palette set: never, "before" it is built or "while" it shows
        QTest::newRow("tally") << "Form1" << "";
        QTest::newRow("product about") << "Form2" << "";
        QTest::newRow("maker about") << "Form3" << "";
        QTest::newRow("tally, dark, set before it is built") << "Form1" << "before";
        QTest::newRow("tally, dark, set while it shows") << "Form1" << "while";
    }

    // Each window keeps its own font when a platform theme sets a large one
    // for the application while it shows. Under a dark palette the tally
    // window also shows values and a selection pixel for pixel as under the
    // light one.
    void windowAtLoadAsPictured()
    {
        QFETCH(QString, form);
        QFETCH(QString, dark);
        QCOMPARE(QFontInfo(QApplication::font()).family(), "Liberation Sans");
        const bool themed = !dark.isEmpty();
        const QImage light = themed ? withValues(*openWindow()) : QImage();
        if (dark == u"before")
            QApplication::setPalette(darkPalette());
        std::unique_ptr<platform::FormWindow> window;
        if (form == u"Form1")
            window = openWindow();
        else
            window = openWindow<ui::AboutWindow>(form == u"Form2" ? ui::form2 : ui::form3);
        if (dark == u"while")
            QApplication::setPalette(darkPalette());
        QApplication::setFont(QFont(QStringLiteral("Liberation Serif"), 16, QFont::Bold, true));
        // Widgets hear of a new application palette through posted events.
        QCoreApplication::processEvents();
        QCOMPARE(pixelsDifferingFromReference(*window->clientArea(), form.toLower()), 0);
        if (themed) {
            const QImage values = withValues(static_cast<ui::TallyWindow &>(*window)); // the labels then show text
            const QWidget &area = *window->clientArea();
            QCOMPARE(pixelsDiffering(comparable(values, area), comparable(light, area), "form1-values"), 0);
        }
    }

    // Blank at load, the value labels show their boxes only once filled: here
    // each with a text longer than its box, so that a box moved, narrowed or
    // widened by one pixel shows.
    void everyValueAsPictured()
    {
        auto window = openWindow();
        // Three characters a field: 1e9 of each denomination at the start, 9e9
        // at the end; one of each denomination is worth 188.85 dollars.
        for (int field = 1; field <= 22; ++field) {
            const bool ending = (field >= 11 && field <= 19) || field == 7 || field == 22;
            window->countField(field)->setText(ending ? QStringLiteral("9e9") : QStringLiteral("1e9"));
        }
        // The ending $2 field alone takes more: its decimals reach the Total,
        // 1510800000000.25.
        window->countField(22)->setText(QStringLiteral("9000000000.12345"));
        if (window->devicePixelRatioF() != 1)
            QSKIP("the values are pictured at scale 1");
        QCOMPARE(pixelsDifferingFromReference(*window->clientArea(), QStringLiteral("form1-values")), 0);
    }

    void staticCaptionsFit()
    {
        auto window = openWindow();
        for (const QLabel *label : window->clientArea()->findChildren<QLabel *>()) {
            // Measured at the device's resolution, then back in logical pixels.
            const QSize needed = label->fontMetrics().size(0, label->text());
            QVERIFY2(label->text().isEmpty() || (needed.width() <= label->width() && needed.height() <= label->height()),
                     qPrintable(label->objectName()));
        }
    }

    void bannerIsCrisp()
    {
        auto window = openWindow();
        const QPixmap picture = window->clientArea()->findChild<QLabel *>("Image1")->pixmap();
        QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(346, 62));
        // Drawn from the detailed copy, not blown up, wherever the screen is denser.
        QCOMPARE(picture.devicePixelRatio(), window->devicePixelRatioF() > 1 ? 2.0 : 1.0);
    }

    void restKeepsDesktopColours()
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
};

QTEST_MAIN(TestRendering)
#include "tst_rendering.moc"

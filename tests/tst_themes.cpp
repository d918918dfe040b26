// SPDX-License-Identifier: MIT
// The tally window under the desktop's themes: its design fixes its colours,
// so a dark or high-contrast palette, set before the window is built or
// changed while it shows, and a change of style, leave it as under the light
// palette, with its captions, amounts and counts in dark ink. The about
// windows, the menus and the error message box keep the desktop's colours.

#include "referencepicture.h"

#include "app/application.h"
#include "app/windowset.h"
#include "platform/controls.h"
#include "platform/errormessage.h"
#include "ui/tally_window/tallywindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <memory>

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

std::unique_ptr<ui::TallyWindow> openWindow(const QPalette &palette, bool beforeBuild)
{
    if (beforeBuild)
        QApplication::setPalette(palette);
    auto window = std::make_unique<ui::TallyWindow>();
    window->settle();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the tally window did not become active");
    if (!beforeBuild)
        QApplication::setPalette(palette);
    // Widgets hear of a new application palette through posted events.
    QCoreApplication::processEvents();
    return window;
}

// The lightest of the pixels a control draws itself (its text, for a
// transparent label), and how many there are.
std::pair<int, int> inkOf(QWidget &control)
{
    QImage image(control.size() * control.devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(control.devicePixelRatioF());
    image.fill(Qt::transparent);
    control.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int ink = 0, lightest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() >= 160) {
                ++ink;
                lightest = std::max(lightest, qGray(image.pixel(x, y)));
            }
        }
    }
    return {ink, lightest};
}

} // namespace

class TestThemes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        app::setUpApplication();
        platform::setLastWindowUnloadedHandler({});
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

// The window at load looks as under the light palette, pixel for pixel; the
// values it then shows are in dark ink, the counts dark on white, and the
// selection white on navy.
void TestThemes::asDesigned()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, beforeBuild);
    auto window = openWindow(palette, beforeBuild);
    const QImage shot = window->clientArea()->grab().toImage();
    if (shot.devicePixelRatio() == 1)
        QCOMPARE(pixelsDifferingFromReference(shot, QStringLiteral("form1")), 0);

    window->setCountText(1, QStringLiteral("2"));  // starting $100
    window->setCountText(19, QStringLiteral("3")); // ending $100
    QCOMPARE(window->caption(70), "100");
    // A caption, a header, amounts, totals on display boxes and the Total.
    for (int number : {1, 62, 42, 52, 64, 65, 67, 70}) {
        const auto [ink, lightest] = inkOf(*window->label(number));
        QVERIFY2(ink > 0 && lightest < 100, qPrintable(QStringLiteral("Label%1").arg(number)));
    }
    platform::TextBox *field = window->countField(1);
    const QImage count = field->grab().toImage();
    QCOMPARE(count.pixelColor(count.width() - 6, count.height() / 2), QColor(Qt::white));
    int darkest = 255; // the digit's
    for (int x = 3; x < count.width() / 2; ++x)
        darkest = std::min(darkest, qGray(count.pixel(x, count.height() / 2)));
    QVERIFY2(darkest < 80, qPrintable(QString::number(darkest)));
    QCOMPARE(field->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(field->palette().color(QPalette::Highlight), QColor(0, 0, 128));
    QCOMPARE(field->palette().color(QPalette::HighlightedText), QColor(Qt::white));
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
    const QImage shot = about->grab().toImage();
    QCOMPARE(shot.pixelColor(shot.width() / 2, int(4 * about->devicePixelRatioF())), dark.color(QPalette::Window));

    // The error message box too, though the tally window is its parent.
    platform::installMessageBoxReporter();
    tally->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tally));
    QPalette boxPalette;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxPalette = box->palette();
            box->accept();
        }
    });
    closer.start(20);
    tally->setCountText(22, QStringLiteral("1e15"));
    closer.stop();
    QCOMPARE(boxPalette.color(QPalette::Window), dark.color(QPalette::Window));
    QCOMPARE(boxPalette.color(QPalette::WindowText), dark.color(QPalette::WindowText));
    tally->setCountText(22, QString());
    for (platform::FormInstance *form : {static_cast<platform::FormInstance *>(&*app::Form1),
                                         static_cast<platform::FormInstance *>(&*app::Form2)})
        form->unload();
}

QTEST_MAIN(TestThemes)
#include "tst_themes.moc"

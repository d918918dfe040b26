// SPDX-License-Identifier: MIT
// The tally window under the desktop's themes: its design fixes its colours,
// so a dark or high-contrast palette, set before the window is built or
// changed while it shows, and a change of style, leave it as under the light
// palette, with its captions, amounts and counts in dark ink. The about
// windows, the menus and the error message box keep the desktop's colours.

#include "tallyprobes.h"

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

QPalette lightPalette()
{
    return QApplication::style()->standardPalette();
}

QPalette paletteNamed(const QString &name)
{
    if (name == u"dark")
        return darkPalette();
    return name == u"high contrast" ? highContrastPalette() : lightPalette();
}

enum class Moment { BeforeBuild, WhileShown, StyleChange };

std::unique_ptr<ui::TallyWindow> openWindow(const QPalette &palette, Moment moment)
{
    if (moment == Moment::BeforeBuild)
        QApplication::setPalette(palette);
    auto window = std::make_unique<ui::TallyWindow>();
    window->settle();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the tally window was not exposed");
    if (moment == Moment::StyleChange)
        QApplication::setStyle(QStringLiteral("Windows"));
    if (moment != Moment::BeforeBuild)
        QApplication::setPalette(palette);
    // Widgets hear of a new application palette through posted events.
    QCoreApplication::processEvents();
    return window;
}

QImage shotOf(const ui::TallyWindow &window, qreal *ratio)
{
    const QPixmap grab = window.clientArea()->grab();
    *ratio = grab.devicePixelRatio();
    return grab.toImage();
}

// The darkest grey level within a client-area rectangle.
int darkestIn(const QImage &shot, qreal ratio, const QRect &box)
{
    int darkest = 255;
    const QRect device((QPointF(box.topLeft()) * ratio).toPoint(), (QSizeF(box.size()) * ratio).toSize());
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    return darkest;
}

int countOf(const QImage &shot, qreal ratio, const QRect &box, QColor colour)
{
    int count = 0;
    const QRect device((QPointF(box.topLeft()) * ratio).toPoint(), (QSizeF(box.size()) * ratio).toSize());
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            count += shot.pixelColor(x, y) == colour;
    return count;
}

// What a transparent control draws, without what lies behind it.
QImage inkOf(QWidget &control)
{
    const qreal ratio = control.devicePixelRatioF();
    QImage image((QSizeF(control.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    control.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void addThemeRows()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<int>("moment");
    for (const char *name : {"light", "dark", "high contrast"}) {
        QTest::addRow("%s, before the window is built", name) << QString::fromLatin1(name) << int(Moment::BeforeBuild);
        QTest::addRow("%s, while it shows", name) << QString::fromLatin1(name) << int(Moment::WhileShown);
        QTest::addRow("%s, with a change of style", name) << QString::fromLatin1(name) << int(Moment::StyleChange);
    }
}

} // namespace

class TestThemes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void designedColours_data() { addThemeRows(); }
    void designedColours();
    void darkInk_data() { addThemeRows(); }
    void darkInk();
    void readableSelection_data() { addThemeRows(); }
    void readableSelection();
    void restKeepsDesktopColours();

private:
    QString m_style;
};

void TestThemes::initTestCase()
{
    app::setUpApplication();
    platform::setLastWindowUnloadedHandler({});
    m_style = QApplication::style()->name();
}

void TestThemes::cleanup()
{
    if (QApplication::style()->name() != m_style)
        QApplication::setStyle(m_style);
    QApplication::setPalette(lightPalette());
}

void TestThemes::designedColours()
{
    QFETCH(QString, palette);
    QFETCH(int, moment);
    auto window = openWindow(paletteNamed(palette), Moment(moment));
    qreal ratio = 1;
    const QImage shot = shotOf(*window, &ratio);
    for (const ColourProbe &probe : tallyColourProbes())
        QVERIFY2(colourAt(shot, ratio, probe.point) == probe.colour, probe.name);
    // An empty count field is white, away from its frame.
    const QRect field = window->countField(1)->geometry();
    QCOMPARE(colourAt(shot, ratio, field.center() + QPoint(field.width() / 4, 0)), QColor(Qt::white));
}

void TestThemes::darkInk()
{
    QFETCH(QString, palette);
    QFETCH(int, moment);
    auto window = openWindow(paletteNamed(palette), Moment(moment));
    window->setCountText(1, QStringLiteral("2"));   // starting $100
    window->setCountText(19, QStringLiteral("3"));  // ending $100
    QCOMPARE(window->caption(70), "100");
    // A caption on a panel, a header, amounts, totals on display boxes and
    // the Total: a label draws only its text, and all of it is dark.
    for (int number : {1, 62, 42, 52, 64, 65, 67, 70}) {
        const QImage text = inkOf(*window->label(number));
        int ink = 0, lightest = 0;
        for (int y = 0; y < text.height(); ++y) {
            for (int x = 0; x < text.width(); ++x) {
                const QColor pixel = text.pixelColor(x, y);
                if (pixel.alpha() >= 160) {
                    ++ink;
                    lightest = std::max(lightest, qGray(pixel.rgb()));
                }
            }
        }
        QVERIFY2(ink > 0 && lightest < 100, qPrintable(QStringLiteral("Label%1: %2 ink pixels, lightest %3")
                                                           .arg(number).arg(ink).arg(lightest)));
    }
    // The counts: dark digits on white.
    for (int number : {1, 19}) {
        QWidget *field = window->countField(number);
        const QPixmap grab = field->grab();
        const qreal ratio = grab.devicePixelRatio();
        const QImage shot = grab.toImage();
        QCOMPARE(colourAt(shot, ratio, QPoint(field->width() - 6, field->height() / 2)), QColor(Qt::white));
        const int darkest = darkestIn(shot, ratio, field->rect().adjusted(3, 3, -3, -3));
        QVERIFY2(darkest < 80, qPrintable(QStringLiteral("Text%1: %2").arg(number).arg(darkest)));
    }
}

void TestThemes::readableSelection()
{
    QFETCH(QString, palette);
    QFETCH(int, moment);
    auto window = openWindow(paletteNamed(palette), Moment(moment));
    platform::TextBox *field = window->countField(22);
    field->setText(QStringLiteral("888"));
    field->setFocus();
    field->selectAll();
    qreal ratio = 1;
    const QImage shot = shotOf(*window, &ratio);
    // Navy behind the selected digits, and white digits on it.
    const QRect inside = field->geometry().adjusted(2, 2, -2, -2);
    QVERIFY(countOf(shot, ratio, inside, QColor(0, 0, 128)) > 20);
    QVERIFY(countOf(shot, ratio, inside, QColor(Qt::white)) > 0);
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

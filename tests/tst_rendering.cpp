// SPDX-License-Identifier: MIT
// The tally window as drawn and as announced. Run at several scale factors
// (QT_SCALE_FACTOR): the window must look the same in device-independent
// pixels, and every caption must still fit.

#include "tallyprobes.h"

#include "app/application.h"
#include "platform/controls.h"
#include "tally/denominations.h"
#include "ui/tally_window/form1layout.h"
#include "ui/tally_window/tallywindow.h"

#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<ui::TallyWindow> openWindow()
{
    auto window = std::make_unique<ui::TallyWindow>();
    window->settle();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the tally window was not exposed");
    return window;
}

QAccessibleInterface *accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

class TestRendering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pixelProbes_data();
    void pixelProbes();
    void staticCaptionsFit();
    void bannerIsCrisp();
    void accessibleNames_data();
    void accessibleNames();
    void everyFieldAndValueIsNamed();
    void decorativeMarksAreSilent();
};

void TestRendering::initTestCase()
{
    app::setUpApplication();
}

void TestRendering::pixelProbes_data()
{
    QTest::addColumn<QPoint>("point"); // client-area pixels, away from any text
    QTest::addColumn<QColor>("colour");
    for (const ColourProbe &probe : tallyColourProbes())
        QTest::newRow(probe.name) << probe.point << probe.colour;
}

void TestRendering::pixelProbes()
{
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    auto window = openWindow();
    const QPixmap grab = window->clientArea()->grab();
    const qreal ratio = grab.devicePixelRatio();
    const QImage shot = grab.toImage();
    QCOMPARE(shot.size(), (QSizeF(515, 424) * ratio).toSize());
    QCOMPARE(colourAt(shot, ratio, point), colour);
}

void TestRendering::staticCaptionsFit()
{
    auto window = openWindow();
    QCOMPARE(QFontInfo(window->label(1)->font()).family(), "Liberation Sans");
    for (const auto &control : ui::form1Controls) {
        if (control.family != platform::Family::Label || control.text.empty())
            continue;
        const QLabel *label = window->label(QString::fromLatin1(control.name.substr(5)).toInt());
        // Measured at the device's resolution, then back in logical pixels.
        const QSize needed = label->fontMetrics().size(0, label->text());
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(QString("%1 needs %2x%3").arg(label->text()).arg(needed.width()).arg(needed.height())));
    }
}

void TestRendering::bannerIsCrisp()
{
    auto window = openWindow();
    const auto *banner = window->clientArea()->findChild<QLabel *>("Image1");
    QCOMPARE(banner->size(), QSize(346, 62));
    const QPixmap picture = banner->pixmap();
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(346, 62));
    // Drawn from the detailed copy, not blown up, wherever the screen is denser.
    QCOMPARE(picture.devicePixelRatio(), window->devicePixelRatioF() > 1 ? 2.0 : 1.0);
    // The bitmap is read without Qt's image reader; the two must agree.
    if (picture.devicePixelRatio() == 1) {
        const QImage byQt = QImage(QStringLiteral(":/banner.bmp")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture.toImage().convertToFormat(QImage::Format_RGB32), byQt);
    }
}

void TestRendering::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    const int edit = QAccessible::EditableText;
    const int text = QAccessible::StaticText;
    QTest::newRow("starting $100") << "Text1" << edit << "Starting Amount: Number of $100's";
    QTest::newRow("starting 50c") << "Text20" << edit << "Starting Amount: Number of 50c's";
    QTest::newRow("ending $2") << "Text22" << edit << "Ending Amount: Number of $2's";
    QTest::newRow("ending 10c") << "Text12" << edit << "Ending Amount: Number of 10c's";
    QTest::newRow("starting $100 amount") << "Label42" << text << "Starting Amount: amount of $100's";
    QTest::newRow("ending $2 amount") << "Label81" << text << "Ending Amount: amount of $2's";
    QTest::newRow("ending 5c amount") << "Label61" << text << "Ending Amount: amount of 5c's";
    QTest::newRow("starting total") << "Label64" << text << "Starting Amount: total";
    QTest::newRow("ending total") << "Label65" << text << "Ending Amount: total";
    QTest::newRow("summary, first line") << "Label67" << text << "Summary, Starting Amount";
    QTest::newRow("summary, second line") << "Label69" << text << "Summary, Ending Amount";
    QTest::newRow("the Total") << "Label70" << text << "Total";
    QTest::newRow("a caption reads as itself") << "Label1" << text << "Number of $100's";
}

void TestRendering::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    auto window = openWindow();
    window->setCountText(1, "5");
    QAccessibleInterface *interface = accessible(window->clientArea()->findChild<QWidget *>(control));
    QVERIFY(interface);
    QCOMPARE(int(interface->role()), role);
    QCOMPARE(interface->text(QAccessible::Name), name);
    QVERIFY(!interface->state().invisible);
    if (control == "Label42" || control == "Label70") // values are read out with their names
        QCOMPARE(interface->text(QAccessible::Value), control == "Label42" ? "500" : "-500");
}

void TestRendering::everyFieldAndValueIsNamed()
{
    auto window = openWindow();
    QSet<QString> names;
    for (const auto &row : tally::denominations) {
        for (const auto &cell : row.columns) {
            for (QWidget *widget : {static_cast<QWidget *>(window->countField(cell.field)),
                                    static_cast<QWidget *>(window->label(cell.amount))}) {
                const QString name = accessible(widget)->text(QAccessible::Name);
                QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(widget->objectName()));
                names.insert(name);
            }
        }
    }
    QCOMPARE(names.size(), 44);
}

void TestRendering::decorativeMarksAreSilent()
{
    auto window = openWindow();
    QList<int> marks;
    for (const auto &row : tally::denominations)
        for (const auto &cell : row.columns)
            marks << cell.sign;
    marks << 72 << 73 << 74 << 75 << 11;
    for (int number : marks) {
        QAccessibleInterface *interface = accessible(window->label(number));
        QVERIFY2(interface->state().invisible, qPrintable(window->label(number)->objectName()));
        QCOMPARE(interface->text(QAccessible::Name), QString());
    }
    QCOMPARE(marks.size(), 27);
}

QTEST_MAIN(TestRendering)
#include "tst_rendering.moc"

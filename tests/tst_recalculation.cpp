// SPDX-License-Identifier: MIT
// The recalculation on the model sheet: resets, nesting, results and errors.

#include "platform/eventprocedure.h"
#include "tally/denominations.h"
#include "tally/modelsheet.h"

#include <QTest>

#include <random>
#include <vector>

using tally::ModelSheet;

namespace {

using Texts = QList<QPair<int, QString>>; // field number, text
using Captions = QList<QPair<int, QString>>; // label number, caption

// A sheet after the first change: every field holds "0".
void zeroSheet(ModelSheet &sheet)
{
    sheet.edit(1, "0");
}

QStringList countTexts(const ModelSheet &sheet)
{
    QStringList texts;
    for (int field = 1; field <= tally::countFieldCount; ++field)
        texts << sheet.countText(field);
    return texts;
}

// Formats a number of cents the way the Total shows it, independently of
// the code under test.
QString centsText(qint64 cents)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    QString text = (cents < 0 ? "-" : "") + QString::number(magnitude / 100);
    if (const qint64 fraction = magnitude % 100)
        text += fraction % 10 ? QString(".%1").arg(fraction, 2, 10, QChar(u'0'))
                              : QString(".%1").arg(fraction / 10);
    return text;
}

} // namespace

class TestRecalculation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstChangeFromEmpty();
    void scenarios_data();
    void scenarios();
    void zeroTextsAreReset_data();
    void zeroTextsAreReset();
    void fieldHoldingZeroCostsNothing();
    void lengthLimit();
    void overflow_data();
    void overflow();
    void firstChangeOverflowReportsOnce();
    void totalIsExactDifferenceInCents();
    void commaSeparator();

private:
    std::vector<platform::RuntimeError> m_reported;
    platform::ErrorReporter m_previous;
};

void TestRecalculation::init()
{
    m_reported.clear();
    m_previous = platform::setErrorReporter(
        [this](const platform::RuntimeError &e) { m_reported.push_back(e); });
}

void TestRecalculation::cleanup()
{
    platform::setErrorReporter(std::move(m_previous));
}

void TestRecalculation::firstChangeFromEmpty()
{
    ModelSheet sheet;
    sheet.edit(1, "5");

    // One run for the edit, one nested inside the previous for each of the
    // 21 empty fields it resets.
    QCOMPARE(sheet.runs(), 22);
    QCOMPARE(sheet.deepestNesting(), 22);

    QStringList expected(tally::countFieldCount, "0");
    expected[0] = "5";
    QCOMPARE(countTexts(sheet), expected);
    for (const auto &row : tally::denominations) {
        QCOMPARE(sheet.caption(row.columns[tally::Starting].amount), row.name == "$100" ? "500" : "0");
        QCOMPARE(sheet.caption(row.columns[tally::Ending].amount), "0");
    }
    QCOMPARE(sheet.caption(64), "500");
    QCOMPARE(sheet.caption(65), "0");
    QCOMPARE(sheet.caption(67), "500");
    QCOMPARE(sheet.caption(69), "0");
    QCOMPARE(sheet.caption(70), "-500");
    QVERIFY(m_reported.empty());
}

void TestRecalculation::scenarios_data()
{
    QTest::addColumn<Texts>("edits");
    QTest::addColumn<Captions>("captions");

    QTest::newRow("gain of 180")
        << Texts{{4, "5"}, {19, "2"}, {17, "1.5"}}
        << Captions{{45, "50"}, {52, "200"}, {54, "30"}, {64, "50"}, {65, "230"}, {67, "50"}, {69, "230"}, {70, "180"}};
    QTest::newRow("negative count lowers the total")
        << Texts{{1, "-3"}} << Captions{{42, "-300"}, {64, "-300"}, {67, "-300"}, {70, "300"}};
    QTest::newRow("loss is negative")
        << Texts{{1, "2"}, {19, "1"}} << Captions{{64, "200"}, {65, "100"}, {70, "-100"}};
    QTest::newRow("fractional counts")
        << Texts{{1, "1.5"}, {20, "2.5"}} << Captions{{42, "150"}, {48, "1.25"}, {64, "151.25"}, {70, "-151.25"}};
    QTest::newRow("three dimes")
        << Texts{{9, "3"}} << Captions{{50, "0.3"}, {64, "0.3"}};
    // 0.2 + 0.1 is 0.30000000000000004, shown with 15 digits.
    QTest::newRow("a dime and a twenty-cent coin")
        << Texts{{8, "1"}, {9, "1"}} << Captions{{49, "0.2"}, {50, "0.1"}, {64, "0.3"}, {70, "-0.3"}};
    QTest::newRow("seven nickels") << Texts{{10, "7"}} << Captions{{51, "0.35"}};
    QTest::newRow("texts read by the leading-number rule")
        << Texts{{6, "5ab"}, {14, "1 2"}, {5, "1,5"}, {15, "&HF"}, {16, "1e3"}}
        << Captions{{47, "5"}, {57, "12"}, {46, "5"}, {56, "75"}, {55, "10000"}};
    QTest::newRow("the $2 row comes last in the sums")
        << Texts{{21, "4"}, {22, "1"}} << Captions{{78, "8"}, {81, "2"}, {64, "8"}, {65, "2"}, {70, "-6"}};
    // -0.3 + 0.2 + 0.1 leaves a residue that the Total rounds away.
    QTest::newRow("residue")
        << Texts{{20, "-.6"}, {8, "1"}, {9, "1"}}
        << Captions{{48, "-0.3"}, {49, "0.2"}, {50, "0.1"}, {64, "2.77555756156289E-17"},
                    {67, "2.77555756156289E-17"}, {70, "0"}};
}

void TestRecalculation::scenarios()
{
    QFETCH(Texts, edits);
    QFETCH(Captions, captions);

    ModelSheet sheet;
    zeroSheet(sheet);
    for (const auto &[field, text] : edits)
        sheet.edit(field, text);
    for (const auto &[field, text] : edits)
        QCOMPARE(sheet.countText(field), text); // non-zero counts stay as typed
    for (const auto &[label, caption] : captions)
        QCOMPARE(sheet.caption(label), caption);
    QVERIFY(m_reported.empty());
}

void TestRecalculation::zeroTextsAreReset_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"", "abc", "0.0", "-0", "00", ".", "-", "0ab", "&H0"})
        QTest::newRow(text) << QString(text);
}

void TestRecalculation::zeroTextsAreReset()
{
    QFETCH(QString, text);
    ModelSheet sheet;
    zeroSheet(sheet);
    sheet.edit(1, "5");
    sheet.edit(1, text);
    QCOMPARE(sheet.countText(1), "0");
    QCOMPARE(sheet.caption(42), "0");
    QCOMPARE(sheet.caption(70), "0");
    // The edit's own run plus exactly one nested by the reset.
    QCOMPARE(sheet.runs(), 2);
    QCOMPARE(sheet.deepestNesting(), 2);
}

void TestRecalculation::fieldHoldingZeroCostsNothing()
{
    ModelSheet sheet;
    zeroSheet(sheet);
    sheet.edit(12, "4");
    QCOMPARE(sheet.runs(), 1);
    QCOMPARE(sheet.deepestNesting(), 1);
    sheet.edit(12, "0");
    QCOMPARE(sheet.runs(), 1);
    sheet.edit(12, "0");
    QCOMPARE(sheet.runs(), 0); // an equal text raises no change
}

void TestRecalculation::lengthLimit()
{
    ModelSheet sheet;
    zeroSheet(sheet);
    sheet.edit(1, "1234");
    QCOMPARE(sheet.countText(1), "123");
    QCOMPARE(sheet.caption(42), "12300");
    sheet.edit(22, "123456");
    QCOMPARE(sheet.countText(22), "123456");
}

void TestRecalculation::overflow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("shown"); // labels that keep a value
    const QList<int> startingColumn{42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 78, 64};
    QTest::newRow("Total beyond the currency range")
        << "1e15" << (startingColumn + QList<int>{52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 81, 65, 67, 69});
    QTest::newRow("amount beyond the double range") << "1e308" << startingColumn;
    QTest::newRow("count beyond the double range") << "1e400" << startingColumn;
    QTest::newRow("hexadecimal beyond 32 bits") << "&H123456789" << startingColumn;
}

void TestRecalculation::overflow()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, shown);

    ModelSheet sheet;
    zeroSheet(sheet);
    sheet.edit(1, "5");
    sheet.edit(11, "abc"); // reset to "0" by a nested run
    const QStringList countsBefore = countTexts(sheet);

    sheet.edit(22, text);

    QCOMPARE(m_reported.size(), std::size_t(1));
    QCOMPARE(m_reported[0].number(), 6);
    QCOMPARE(m_reported[0].description(), "Overflow");

    QStringList expectedCounts = countsBefore;
    expectedCounts[21] = text;
    QCOMPARE(countTexts(sheet), expectedCounts);

    // What the failing run reached stays; nothing of the earlier counts does.
    QCOMPARE(sheet.caption(42), "500");
    if (shown.contains(81))
        QCOMPARE(sheet.caption(81), "2E+15");
    const std::array outputs{42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 78, 52, 53, 54, 55, 56,
                             57, 58, 59, 60, 61, 81, 64, 65, 67, 69, 70};
    for (int label : outputs)
        QCOMPARE(sheet.caption(label).isEmpty(), !shown.contains(label));

    // The program goes on: a sound count afterwards gives a full sheet again.
    sheet.edit(22, "1");
    QCOMPARE(sheet.caption(70), "-498");
    QCOMPARE(m_reported.size(), std::size_t(1));
}

void TestRecalculation::firstChangeOverflowReportsOnce()
{
    ModelSheet sheet;
    sheet.edit(22, "1e15");
    QCOMPARE(sheet.runs(), 22); // every nested run fails, the user hears once
    QCOMPARE(m_reported.size(), std::size_t(1));
    QCOMPARE(sheet.countText(22), "1e15");
    QCOMPARE(sheet.caption(70), "");
}

void TestRecalculation::totalIsExactDifferenceInCents()
{
    std::mt19937 random(1206);
    std::uniform_int_distribution<int> count(-99, 999);
    ModelSheet sheet;
    zeroSheet(sheet);
    for (int trial = 0; trial < 300; ++trial) {
        qint64 cents[2] = {0, 0};
        for (const auto &row : tally::denominations) {
            const qint64 centsPerUnit = qRound64(row.multiplier * 100);
            for (int column : {tally::Starting, tally::Ending}) {
                const int n = count(random);
                sheet.edit(row.columns[column].field, QString::number(n));
                cents[column] += n * centsPerUnit;
            }
        }
        QCOMPARE(sheet.caption(70), centsText(cents[tally::Ending] - cents[tally::Starting]));
    }
    QVERIFY(m_reported.empty());
}

void TestRecalculation::commaSeparator()
{
    ModelSheet sheet;
    sheet.setDecimalSeparator(u',');
    zeroSheet(sheet);
    sheet.edit(20, "2.5"); // counts always take the full stop
    sheet.edit(13, "1");
    QCOMPARE(sheet.caption(48), "1,25");
    QCOMPARE(sheet.caption(64), "1,25");
    QCOMPARE(sheet.caption(67), "1,25");
    QCOMPARE(sheet.caption(70), "-1,05");
    QVERIFY(m_reported.empty());
}

QTEST_GUILESS_MAIN(TestRecalculation)
#include "tst_recalculation.moc"

// SPDX-License-Identifier: MIT
// The recalculation on the model sheet: resets, nesting, results and errors,
// with expected values worked out by hand.

#include "platform/runtime/eventprocedure.h"
#include "tally/denominations.h"
#include "tally/modelsheet.h"

#include <QTest>

#include <stdexcept>

using tally::ModelSheet;

using Texts = QList<QPair<int, QString>>;    // field number, text
using Captions = QList<QPair<int, QString>>; // label number, caption

class TestRecalculation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Errors are recorded, not shown, so that each is seen and no message
    // box waits for a click.
    void init()
    {
        m_errors.clear();
        m_reporter = platform::setErrorReporter([this](const platform::RuntimeError &e) {
            m_errors << e.number();
            m_description = e.description();
        });
    }
    void cleanup() { platform::setErrorReporter(std::move(m_reporter)); }
    void firstChange_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Captions>("captions");
        QTest::addColumn<QList<int>>("errors");
        QTest::newRow("five $100 notes")
            << 1 << "5" << Captions{{42, "500"}, {43, "0"}, {52, "0"}, {64, "500"}, {65, "0"}, {67, "500"}, {69, "0"}, {70, "-500"}}
            << QList<int>{};
        // 1e308 * 2 overflows in the product; each run has reset its column's
        // empty fields before it multiplies, so all 21 still end up "0".
        QTest::newRow("an overflowing product leaves the resets done")
            << 22 << "1e308" << Captions{{51, "0"}, {64, "0"}, {61, ""}, {81, ""}, {65, ""}, {69, ""}, {70, ""}}
            << QList<int>{6};
    }

    void firstChange()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(Captions, captions);
        QFETCH(QList<int>, errors);
        ModelSheet sheet;
        sheet.edit(field, text);
        // One run for the edit, one nested inside the previous for each of the
        // 21 empty fields it resets; the user hears of a failure once.
        QCOMPARE(sheet.runs(), 22);
        QCOMPARE(sheet.deepestNesting(), 22);
        for (int n = 1; n <= tally::countFieldCount; ++n)
            QCOMPARE(sheet.countText(n), n == field ? text : "0");
        for (const auto &[label, caption] : captions)
            QCOMPARE(sheet.caption(label), caption);
        QCOMPARE(m_errors, errors);
    }

    void scenarios_data()
    {
        QTest::addColumn<Texts>("edits"); // one after the other, on a sheet of zeros
        QTest::addColumn<Captions>("captions");
        QTest::addColumn<QList<int>>("errors");
        const QList<int> none, overflow{6};

        QTest::newRow("gain of 180")
            << Texts{{4, "5"}, {19, "2"}, {17, "1.5"}}
            << Captions{{45, "50"}, {52, "200"}, {54, "30"}, {64, "50"}, {65, "230"}, {67, "50"}, {69, "230"}, {70, "180"}}
            << none;
        // -0.3 + 0.2 + 0.1 leaves a residue that the Total rounds away.
        QTest::newRow("residue")
            << Texts{{20, "-.6"}, {8, "1"}, {9, "1"}}
            << Captions{{48, "-0.3"}, {64, "2.77555756156289E-17"}, {67, "2.77555756156289E-17"}, {70, "0"}} << none;
        // 2 * 50000000000.0617 is the double 100000000000.12339782714..., shown
        // with 15 digits as 100000000000.123: the Total is that text's number.
        // From the double it would be 100000000000.1234.
        QTest::newRow("the Total is taken from the texts on show")
            << Texts{{22, "50000000000.0617"}}
            << Captions{{81, "100000000000.123"}, {65, "100000000000.123"}, {69, "100000000000.123"}, {70, "100000000000.123"}}
            << none;
        // $100 + $50 = 1.35E12 exactly. Doubles between 2^40 and 2^41 are 2^-12
        // apart, so adding the dime gives 1.35E12 + 410/4096 (0.1 * 4096 = 409.6);
        // the $2 row, added last, cancels 1.35E12 and leaves 410/4096 =
        // 0.10009765625, whose Total rounds to 0.1001. Added first, it would
        // cancel before the dime came and leave 0.1.
        QTest::newRow("the $2 row is added last")
            << Texts{{19, "9e9"}, {18, "9e9"}, {12, "1"}, {22, "-675000000000"}}
            << Captions{{52, "900000000000"}, {53, "450000000000"}, {60, "0.1"}, {81, "-1350000000000"},
                        {65, "0.10009765625"}, {69, "0.10009765625"}, {70, "0.1001"}}
            << none;
        // The Total's range ends lie between doubles an eighth apart: .5 is the
        // last inside, .625 the first outside. 2 * 461168601842738.5 =
        // 922337203685477; a starting total of -0.5 (or -0.5 - 0.1 - 0.025 =
        // -0.625) adds the fraction.
        QTest::newRow("the largest Total")
            << Texts{{20, "-1"}, {22, "461168601842738.5"}}
            << Captions{{65, "922337203685477"}, {64, "-0.5"}, {70, "922337203685477.5"}} << none;
        QTest::newRow("just beyond the largest Total")
            << Texts{{10, "-.5"}, {9, "-1"}, {20, "-1"}, {22, "461168601842738.5"}}
            << Captions{{64, "-0.625"}, {65, "922337203685477"}, {70, ""}} << overflow;
        QTest::newRow("a 15-digit ending total beyond the range")
            << Texts{{22, "461168601842739"}} << Captions{{65, "922337203685478"}, {70, ""}} << overflow;

        // A failing run keeps what it wrote and blanks what it did not reach.
        QTest::newRow("Total beyond the currency range")
            << Texts{{1, "5"}, {22, "1e15"}}
            << Captions{{42, "500"}, {81, "2E+15"}, {65, "2E+15"}, {67, "500"}, {69, "2E+15"}, {70, ""}} << overflow;
        QTest::newRow("amount beyond the double range")
            << Texts{{1, "5"}, {22, "1e308"}}
            << Captions{{42, "500"}, {64, "500"}, {52, ""}, {81, ""}, {65, ""}, {67, ""}, {69, ""}, {70, ""}} << overflow;
        QTest::newRow("a sound count after an overflow")
            << Texts{{1, "5"}, {22, "1e15"}, {22, "1"}} << Captions{{81, "2"}, {70, "-498"}} << overflow;
    }

    void scenarios()
    {
        QFETCH(Texts, edits);
        QFETCH(Captions, captions);
        QFETCH(QList<int>, errors);

        ModelSheet sheet;
        sheet.edit(1, "0"); // the first change: every field holds "0"
        QMap<int, QString> typed;
        for (const auto &[field, text] : edits)
            sheet.edit(field, typed[field] = text);
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            QCOMPARE(sheet.countText(it.key()), it.value()); // non-zero counts stay as typed
        for (const auto &[label, caption] : captions)
            QCOMPARE(sheet.caption(label), caption);
        QCOMPARE(m_errors, errors);
    }

    void zeroTextsAreReset_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "abc", "0.0", "-0", ".", "-", "&H0"})
            QTest::newRow(text) << QString(text);
    }

    void zeroTextsAreReset()
    {
        QFETCH(QString, text);
        ModelSheet sheet;
        sheet.edit(1, "0"); // the first change: every field holds "0"
        sheet.edit(1, "5");
        sheet.edit(1, text);
        QCOMPARE(sheet.countText(1), "0");
        QCOMPARE(sheet.caption(42), "0");
        QCOMPARE(sheet.caption(70), "0");
        // The edit's own run plus exactly one nested by the reset.
        QCOMPARE(sheet.runs(), 2);
        QCOMPARE(sheet.deepestNesting(), 2);
        sheet.edit(1, "0"); // a field that holds "0" already costs nothing
        QCOMPARE(sheet.runs(), 0);
    }

    // What the user is told of a failed event procedure: its number, once, after
    // the outermost event; an event nested in a failing one adds nothing.
    void eventBoundary_data()
    {
        QTest::addColumn<int>("thrown");
        QTest::addColumn<bool>("nested"); // a nested event fails with an overflow first
        QTest::addColumn<QList<int>>("errors");
        QTest::newRow("overflow") << 6 << false << QList<int>{6};
        QTest::newRow("type mismatch") << 13 << false << QList<int>{13};
        QTest::newRow("out of memory") << 7 << false << QList<int>{7};
        QTest::newRow("any other failure") << 51 << false << QList<int>{51};
        QTest::newRow("nested, then the outer fails too") << 13 << true << QList<int>{6};
        QTest::newRow("nested, the outer goes on") << 0 << true << QList<int>{6};
    }

    void eventBoundary()
    {
        QFETCH(int, thrown);
        QFETCH(bool, nested);
        QFETCH(QList<int>, errors);
        qsizetype reportedInside = -1;
        platform::runEventProcedure([&] {
            if (nested)
                platform::runEventProcedure([] { throw platform::RuntimeError::overflow(); });
            reportedInside = m_errors.size();
            switch (thrown) {
            case 6: throw platform::RuntimeError::overflow();
            case 13: throw platform::RuntimeError::typeMismatch();
            case 7: throw std::bad_alloc();
            case 51: throw std::out_of_range("no such control");
            }
        });
        QCOMPARE(reportedInside, 0);
        QCOMPARE(m_errors, errors);
        if (thrown == 6)
            QCOMPARE(m_description, "Overflow");
    }

private:
    QList<int> m_errors;
    QString m_description; // of the last
    platform::ErrorReporter m_reporter;
};

QTEST_GUILESS_MAIN(TestRecalculation)
#include "tst_recalculation.moc"

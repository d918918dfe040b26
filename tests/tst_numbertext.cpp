// SPDX-License-Identifier: MIT
// The runtime's number rules, checked against values worked out by hand.

#include "platform/runtime/numbertext.h"
#include "platform/runtime/runtimeerror.h"

#include <QTest>

#include <cfloat>
#include <functional>
#include <limits>

using namespace platform;

namespace {

int errorNumberOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error"); // 6: Overflow

        // The rule's own examples first, then each of its parts.
        QTest::newRow("empty") << "" << 0.0 << 0;
        QTest::newRow("characters after the number are ignored") << "5abc" << 5.0 << 0;
        QTest::newRow("a blank inside the number is removed") << "1 2" << 12.0 << 0;
        QTest::newRow("a comma ends the number") << "1,5" << 1.0 << 0;
        QTest::newRow("the full stop is the decimal point") << "1.5" << 1.5 << 0;
        QTest::newRow("a tab inside the number is removed") << "1\t2" << 12.0 << 0;
        QTest::newRow("a line feed inside the number is removed") << "1\n2" << 12.0 << 0;
        QTest::newRow("blanks around the exponent's letter and sign") << "2 e - 1" << 0.2 << 0;
        QTest::newRow("a carriage return is no blank: it ends the number") << "1\r2" << 1.0 << 0;
        QTest::newRow("a leading plus sign") << "+7" << 7.0 << 0;
        QTest::newRow("a capital E") << "1E3" << 1000.0 << 0;
        QTest::newRow("lower-case prefix") << "&hff" << 255.0 << 0;
        QTest::newRow("octal digits end at an 8") << "&O18" << 1.0 << 0;
        QTest::newRow("blank after the sign") << "- 4" << -4.0 << 0;
        QTest::newRow("exponent without digits stops before the E") << "1e" << 1.0 << 0;
        QTest::newRow("second full stop ends the number") << "1.2.3" << 1.2 << 0;
        QTest::newRow("no sign before a prefix") << "-&HF" << 0.0 << 0;
        QTest::newRow("16-bit wrap") << "&HFFFF" << -1.0 << 0;
        QTest::newRow("32-bit wrap") << "&HFFFFFFFF" << -1.0 << 0;
        QTest::newRow("leading zeros do not count towards the width") << "&H0000000000000F" << 15.0 << 0;
        QTest::newRow("largest double") << "1.7976931348623157e308" << DBL_MAX << 0;
        QTest::newRow("too small for a double") << "1e-400" << 0.0 << 0;
        QTest::newRow("a megabyte of blanks") << QString(QString(1 << 20, u' ') + "7") << 7.0 << 0;
        QTest::newRow("a megabyte of zeros in hexadecimal") << QString("&H" + QString(1 << 20, u'0') + "F") << 15.0 << 0;
        QTest::newRow("zeros before the first digit") << QString("0." + QString(400, u'0') + "5e401") << 5.0 << 0;
        QTest::newRow("below the smallest subnormal") << QString("0." + QString(1 << 20, u'0') + "1") << 0.0 << 0;
        // However long the text, every digit reaches the conversion: 1 + 2^-53
        // written out exactly lies halfway between 1 and 1.0000000000000002, and
        // 2^53 + 1 between 2^53 and 2^53 + 2; a non-zero digit far on goes up.
        const QString tie = "1.00000000000000011102230246251565404236316680908203125";
        QTest::newRow("tie, a 1 at the 1056th digit") << QString(tie + QString(1000, u'0') + "1") << 1.0000000000000002 << 0;
        QTest::newRow("2^53 + 1, 300 digits before a late 1 and the exponent")
            << QString("9007199254740993" + QString(300, u'0') + "1e-301") << 9007199254740994.0 << 0;
        QTest::newRow("negative zero is zero") << "-0" << -0.0 << 0;
        QTest::newRow("beyond the double range") << "1e309" << 0.0 << 6;
        QTest::newRow("a megabyte of digits") << QString(1 << 20, u'1') << 0.0 << 6;
        QTest::newRow("beyond 32 bits in hexadecimal") << "&H100000000" << 0.0 << 6;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, error);
        double actual = 0;
        QCOMPARE(errorNumberOf([&] { actual = platform::leadingNumber(text); }), error);
        // QCOMPARE on doubles is fuzzy; these rules must hold to the last bit.
        QVERIFY2(actual == value && isZero(actual) == (value == 0), qPrintable(QString::number(actual, 'g', 17)));
    }

    void doubleText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("text");

        const QChar stop = u'.';
        QTest::newRow("binary residue rounded away") << 0.1 + 0.2 << stop << "0.3";
        QTest::newRow("negative zero") << -0.0 << stop << "0";
        QTest::newRow("last plain small magnitude") << 0.0001 << stop << "0.0001";
        QTest::newRow("first small exponent form") << 0.00001 << stop << "1E-05";
        QTest::newRow("sixteen digits round to the exponent form") << 1234567890123456.0 << stop
                                                                   << "1.23456789012346E+15";
        QTest::newRow("rounding carries into 1E15") << 999999999999999.9 << stop << "1E+15";
        QTest::newRow("two thirds round up") << 2.0 / 3 << stop << "0.666666666666667";
        QTest::newRow("residue") << 2.7755575615628914e-17 << stop << "2.77555756156289E-17";
        QTest::newRow("largest") << DBL_MAX << stop << "1.79769313486232E+308";
        QTest::newRow("smallest subnormal") << DBL_TRUE_MIN << stop << "4.94065645841247E-324";
        QTest::newRow("comma in the exponent form") << -2.7755575615628914e-17 << QChar(u',')
                                                    << "-2,77555756156289E-17";
    }

    void doubleText()
    {
        QFETCH(double, value);
        QFETCH(QChar, separator);
        QFETCH(QString, text);
        QCOMPARE(platform::doubleText(value, separator), text);
        if (value == DBL_MAX) {
            // Rounded to 15 digits the largest double lies beyond the range.
            QCOMPARE(errorNumberOf([&] { readDoubleText(text, separator); }), 6);
            return;
        }
        QCOMPARE(platform::doubleText(readDoubleText(text, separator), separator), text);
    }

    void readDoubleTextRejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("error");

        QTest::newRow("empty") << "" << QChar(u'.') << 13;
        QTest::newRow("letters") << "abc" << QChar(u'.') << 13;
        QTest::newRow("the other separator") << "1,5" << QChar(u'.') << 13;
        QTest::newRow("full stop under a comma locale") << "1.5" << QChar(u',') << 13;
        QTest::newRow("infinity is no double text") << "inf" << QChar(u'.') << 13;
        QTest::newRow("beyond the range") << "1E+309" << QChar(u'.') << 6;
    }

    void readDoubleTextRejects()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(int, error);
        QCOMPARE(errorNumberOf([&] { readDoubleText(text, separator); }), error);
    }

    void toCurrency_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("tenThousandths");
        QTest::addColumn<int>("error");

        QTest::newRow("exact tie to even, down") << 0.03125 << qint64(312) << 0;
        QTest::newRow("exact tie to even, up") << 0.09375 << qint64(938) << 0;
        QTest::newRow("negative tie to even, up") << -0.09375 << qint64(-938) << 0;
        // 1.00005 is stored a little above the half, 2.00005 a little below.
        QTest::newRow("just above a tie") << 1.00005 << qint64(10001) << 0;
        QTest::newRow("just below a tie") << 2.00005 << qint64(20000) << 0;
        QTest::newRow("residue") << 2.7755575615628914e-17 << qint64(0) << 0;
        // The range ends, 922337203685477.5807 and -922337203685477.5808, lie
        // between doubles, which are an eighth apart there: the last double inside
        // each end is .5, the first outside .625.
        QTest::newRow("last double below the upper end") << 922337203685477.5 << qint64(9223372036854775000) << 0;
        QTest::newRow("last double above the lower end") << -922337203685477.5 << qint64(-9223372036854775000) << 0;
        QTest::newRow("first double above the upper end") << 922337203685477.625 << qint64(0) << 6;
        QTest::newRow("first double below the lower end") << -922337203685477.625 << qint64(0) << 6;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << qint64(0) << 6;
    }

    void toCurrency()
    {
        QFETCH(double, value);
        QFETCH(qint64, tenThousandths);
        QFETCH(int, error);
        qint64 actual = 0;
        QCOMPARE(errorNumberOf([&] { actual = platform::toCurrency(value).tenThousandths; }), error);
        QCOMPARE(actual, tenThousandths);
    }

    void currencyText_data()
    {
        QTest::addColumn<qint64>("tenThousandths");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("text");

        const QChar stop = u'.';
        QTest::newRow("half a cent") << qint64(50) << stop << "0.005";
        QTest::newRow("zero") << qint64(0) << stop << "0";
        QTest::newRow("highest") << std::numeric_limits<qint64>::max() << stop << "922337203685477.5807";
        QTest::newRow("lowest") << std::numeric_limits<qint64>::min() << stop << "-922337203685477.5808";
    }

    void currencyText()
    {
        QFETCH(qint64, tenThousandths);
        QFETCH(QChar, separator);
        QFETCH(QString, text);
        QCOMPARE(platform::currencyText(Currency{tenThousandths}, separator), text);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"

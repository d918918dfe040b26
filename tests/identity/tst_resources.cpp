// SPDX-License-Identifier: MIT
// The Windows resources as a Windows build carries them: the resource script
// compiled by windres and read back from the compiled file.

#include <QFile>
#include <QTest>

#include <cstring>
#include <map>
#include <utility>

namespace {

// One resource of a compiled .res file, keyed by numeric type and name.
using Key = std::pair<int, int>;

quint32 at32(const QByteArray &data, qsizetype offset)
{
    quint32 value = 0;
    std::memcpy(&value, data.constData() + offset, 4); // little-endian hosts only
    return value;
}

quint16 at16(const QByteArray &data, qsizetype offset)
{
    quint16 value = 0;
    std::memcpy(&value, data.constData() + offset, 2);
    return value;
}

std::map<Key, QByteArray> readResources(const QByteArray &file)
{
    std::map<Key, QByteArray> resources;
    for (qsizetype at = 0; at + 32 <= file.size();) {
        const quint32 dataSize = at32(file, at);
        const quint32 headerSize = at32(file, at + 4);
        // Named types and names do not occur in this script: both are 0xFFFF, id.
        if (at16(file, at + 8) == 0xFFFF && at16(file, at + 12) == 0xFFFF && dataSize > 0)
            resources[{at16(file, at + 10), at16(file, at + 14)}] = file.mid(at + headerSize, dataSize);
        at += (headerSize + dataSize + 3) & ~3u;
    }
    return resources;
}

// The UTF-16 key at OFFSET of a version block, and the offset after it,
// rounded up to 32 bits.
std::pair<QString, qsizetype> versionKey(const QByteArray &block, qsizetype offset)
{
    const auto *chars = reinterpret_cast<const char16_t *>(block.constData() + offset);
    const QString key = QString::fromUtf16(chars);
    return {key, (offset + (key.size() + 1) * 2 + 3) & ~qsizetype(3)};
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QFile file(QStringLiteral(COMPILED_RESOURCES));
        QVERIFY2(file.open(QIODevice::ReadOnly), "the compiled resources are missing");
        m_resources = readResources(file.readAll());
    }

    void iconGroup()
    {
        const QByteArray group = m_resources[{14, 1}]; // RT_GROUP_ICON 1
        QCOMPARE(group.size(), 6 + 6 * 14);
        QCOMPARE(at16(group, 4), 6);
        const struct { int size; int bits; } images[] = {{48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32}};
        for (int i = 0; i < 6; ++i) {
            const qsizetype entry = 6 + i * 14;
            const int id = at16(group, entry + 12);
            QCOMPARE(id, 30001 + i);
            QCOMPARE(int(quint8(group[entry])), images[i].size);
            QCOMPARE(at16(group, entry + 6), images[i].bits);
            // Each image is a bitmap of the listed size, twice as high for its mask.
            const QByteArray image = m_resources[{3, id}]; // RT_ICON
            QCOMPARE(quint32(image.size()), at32(group, entry + 8));
            QCOMPARE(at32(image, 0), 40u);
            QCOMPARE(int(at32(image, 4)), images[i].size);
            QCOMPARE(int(at32(image, 8)), 2 * images[i].size);
            QCOMPARE(int(at16(image, 14)), images[i].bits);
        }
        for (const auto &[key, data] : m_resources)
            QVERIFY2(key.first != 3 || (key.second >= 30001 && key.second <= 30006), "a stray icon image");
    }

    void versionData()
    {
        const QByteArray version = m_resources[{16, 1}]; // RT_VERSION 1
        QVERIFY(!version.isEmpty());
        auto [key, fixed] = versionKey(version, 6);
        QCOMPARE(key, QStringLiteral("VS_VERSION_INFO"));
        const quint32 expected[] = {
            0xFEEF04BD, 0x00010000,  // signature, structure version
            0x00010001, 0x00000000,  // file version 1.1.0.0
            0x00010001, 0x00000000,  // product version 1.1.0.0
            0x0, 0x0,                // no flags
            0x4, 0x1, 0x0,           // 32-bit Windows, application, no subtype
            0x0, 0x0,                // no date
        };
        for (std::size_t i = 0; i < std::size(expected); ++i)
            QCOMPARE(at32(version, fixed + qsizetype(i * 4)), expected[i]);

        // The string table, walked block by block: its language and its
        // keys with their values, in order.
        qsizetype at = fixed + qsizetype(std::size(expected) * 4);
        QCOMPARE(versionKey(version, at + 6).first, QStringLiteral("StringFileInfo"));
        const qsizetype stringsEnd = (at + at16(version, at) + 3) & ~qsizetype(3);
        const qsizetype table = versionKey(version, at + 6).second;
        const auto [language, firstString] = versionKey(version, table + 6);
        QCOMPARE(language, QStringLiteral("040904B0"));
        const qsizetype tableEnd = table + at16(version, table);
        QStringList strings;
        for (at = firstString; at < tableEnd;) {
            const quint16 length = at16(version, at);
            const auto [name, value] = versionKey(version, at + 6);
            strings << name + u'=' + versionKey(version, value).first;
            at = (at + length + 3) & ~qsizetype(3);
        }
        QCOMPARE(strings, QStringList({"Comments=www.varnholt.example", "CompanyName=Varnholt",
                                       "ProductName=Tillomar", "FileVersion=1.01", "ProductVersion=1.01",
                                       "InternalName=Tillomar", "OriginalFilename=Tillomar.exe"}));

        const auto [varInfo, translation] = versionKey(version, stringsEnd + 6);
        QCOMPARE(varInfo, QStringLiteral("VarFileInfo"));
        const auto [translationKey, pair] = versionKey(version, translation + 6);
        QCOMPARE(translationKey, QStringLiteral("Translation"));
        QCOMPARE(at16(version, pair), 0x0409);
        QCOMPARE(at16(version, pair + 2), 0x04B0);
    }

private:
    std::map<Key, QByteArray> m_resources;
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"

// SPDX-License-Identifier: MIT
// The identity data as each carrier holds it (the compiled Windows
// resources, the desktop entry, the AppStream metainfo and the running
// application), checked against the values the program must carry.

#include "app/application.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

namespace {

const QString appId = QStringLiteral("example.varnholt.Tillomar");

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

quint16 word(const QByteArray &data, qsizetype at)
{
    return at + 2 <= data.size() ? qFromLittleEndian<quint16>(data.constData() + at) : 0;
}

quint32 dword(const QByteArray &data, qsizetype at)
{
    return at + 4 <= data.size() ? qFromLittleEndian<quint32>(data.constData() + at) : 0;
}

qsizetype align4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// One entry of a compiled resource file (.res), as Windows' linker takes it.
struct Resource
{
    int type = -1; // RT_ICON 3, RT_GROUP_ICON 14, RT_VERSION 16; -1 for a named type
    int name = -1;
    quint16 language = 0;
    QByteArray data;
};

QList<Resource> readResources(const QByteArray &file)
{
    QList<Resource> resources;
    for (qsizetype at = 0; at + 32 <= file.size();) {
        const qsizetype dataSize = dword(file, at);
        const qsizetype headerSize = dword(file, at + 4);
        if (headerSize < 32 || at + headerSize + dataSize > file.size())
            return {};
        Resource resource;
        if (word(file, at + 8) == 0xFFFF) {
            resource.type = word(file, at + 10);
            if (word(file, at + 12) == 0xFFFF)
                resource.name = word(file, at + 14);
        }
        resource.language = word(file, at + headerSize - 10);
        resource.data = file.mid(at + headerSize, dataSize);
        if (dataSize)
            resources << resource;
        at = align4(at + headerSize + dataSize);
    }
    return resources;
}

// A node of the version resource: VS_VERSIONINFO, StringFileInfo, a string
// table, a string, VarFileInfo or Var.
struct VersionNode
{
    qsizetype length = 0;
    bool isText = false;
    QString key;
    QByteArray value;
    QList<VersionNode> children;

    QString text() const
    {
        QString result;
        for (qsizetype at = 0; at + 1 < value.size() && word(value, at); at += 2)
            result += QChar(word(value, at));
        return result;
    }
    QStringList childKeys() const
    {
        QStringList keys;
        for (const VersionNode &child : children)
            keys << child.key;
        return keys;
    }
};

VersionNode readVersionNode(const QByteArray &data, qsizetype start)
{
    VersionNode node;
    node.length = word(data, start);
    const quint16 valueLength = word(data, start + 2);
    node.isText = word(data, start + 4) == 1;
    const qsizetype end = qMin(start + node.length, data.size());
    qsizetype at = start + 6;
    for (; at + 1 < end && word(data, at); at += 2)
        node.key += QChar(word(data, at));
    at = align4(at + 2);
    const qsizetype valueBytes = node.isText ? 2 * valueLength : valueLength;
    node.value = data.mid(at, valueBytes);
    for (at = align4(at + valueBytes); at + 6 < end;) {
        const VersionNode child = readVersionNode(data, at);
        if (child.length < 6)
            break;
        node.children << child;
        at = align4(at + child.length);
    }
    return node;
}

QHash<QString, QString> desktopEntryKeys(const QString &text)
{
    QHash<QString, QString> keys;
    QString group;
    for (const QString &line : text.split(u'\n')) {
        if (line.startsWith(u'#') || line.isEmpty())
            continue;
        if (line.startsWith(u'['))
            group = line;
        else if (group == u"[Desktop Entry]")
            keys.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
    return keys;
}

// Element paths ("component/releases/release") and attributes
// ("component/releases/release@version") with their texts.
QMultiHash<QString, QString> metainfoItems(const QString &text)
{
    QMultiHash<QString, QString> items;
    QStringList path;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            path << xml.name().toString();
            for (const auto &attribute : xml.attributes())
                items.insert(path.join(u'/') + u'@' + attribute.name().toString(), attribute.value().toString());
            break;
        case QXmlStreamReader::Characters:
            if (!xml.isWhitespace())
                items.insert(path.join(u'/'), xml.text().toString().simplified());
            break;
        case QXmlStreamReader::EndElement:
            path.removeLast();
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        items.insert(QStringLiteral("error"), xml.errorString());
    return items;
}

} // namespace

class TestIdentity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void resourceLanguage();
    void versionFixedPart_data();
    void versionFixedPart();
    void versionStrings();
    void iconGroup();
    void desktopEntry_data();
    void desktopEntry();
    void metainfo_data();
    void metainfo();
    void oneSummaryEverywhere();
    void runningApplication();

private:
    const Resource *find(int type, int name) const;

    QList<Resource> m_resources;
    VersionNode m_version;
};

const Resource *TestIdentity::find(int type, int name) const
{
    for (const Resource &resource : m_resources)
        if (resource.type == type && resource.name == name)
            return &resource;
    return nullptr;
}

// The resource script is compiled as a Windows build would compile it, and
// the compiled resources are read back.
void TestIdentity::initTestCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("tillomar.res"));
    QProcess compiler;
    compiler.setProcessChannelMode(QProcess::ForwardedChannels);
    compiler.start(QStringLiteral(RESOURCE_COMPILER),
                   {QStringLiteral("/FO"), output, QStringLiteral(RESOURCE_SCRIPT)});
    QVERIFY2(compiler.waitForFinished(), RESOURCE_COMPILER " (Debian package llvm-14) did not run");
    QCOMPARE(compiler.exitStatus(), QProcess::NormalExit);
    QCOMPARE(compiler.exitCode(), 0);
    QFile res(output);
    QVERIFY(res.open(QIODevice::ReadOnly));
    m_resources = readResources(res.readAll());
    QVERIFY(!m_resources.isEmpty());
    const Resource *version = find(16, 1);
    QVERIFY(version);
    m_version = readVersionNode(version->data, 0);
}

void TestIdentity::resourceLanguage()
{
    for (const Resource &resource : m_resources)
        QCOMPARE(resource.language, quint16(0x0409));
}

void TestIdentity::versionFixedPart_data()
{
    // Fields of VS_FIXEDFILEINFO, by their place among its thirteen DWORDs.
    QTest::addColumn<int>("field");
    QTest::addColumn<quint32>("value");
    QTest::newRow("signature") << 0 << quint32(0xFEEF04BD);
    QTest::newRow("file version 1.1") << 2 << quint32(0x00010001);
    QTest::newRow("file version .0.0") << 3 << quint32(0);
    QTest::newRow("product version 1.1") << 4 << quint32(0x00010001);
    QTest::newRow("product version .0.0") << 5 << quint32(0);
    QTest::newRow("no flags meant") << 6 << quint32(0);
    QTest::newRow("no flags") << 7 << quint32(0);
    QTest::newRow("32-bit Windows") << 8 << quint32(4);
    QTest::newRow("application") << 9 << quint32(1);
    QTest::newRow("subtype 0") << 10 << quint32(0);
    QTest::newRow("file date 0, high part") << 11 << quint32(0);
    QTest::newRow("file date 0, low part") << 12 << quint32(0);
}

void TestIdentity::versionFixedPart()
{
    QFETCH(int, field);
    QFETCH(quint32, value);
    QCOMPARE(m_version.key, QStringLiteral("VS_VERSION_INFO"));
    QCOMPARE(m_version.value.size(), 13 * 4);
    QCOMPARE(dword(m_version.value, 4 * field), value);
}

void TestIdentity::versionStrings()
{
    QCOMPARE(m_version.childKeys(), (QStringList{"StringFileInfo", "VarFileInfo"}));
    const VersionNode &stringInfo = m_version.children[0];
    QCOMPARE(stringInfo.childKeys(), QStringList{"040904B0"});
    // Exactly these, in this order: no description and no legal notices.
    const QList<QPair<QString, QString>> expected{
        {"Comments", "www.varnholt.example"},
        {"CompanyName", "Varnholt"},
        {"ProductName", "Tillomar"},
        {"FileVersion", "1.01"},
        {"ProductVersion", "1.01"},
        {"InternalName", "Tillomar"},
        {"OriginalFilename", "Tillomar.exe"},
    };
    QList<QPair<QString, QString>> strings;
    for (const VersionNode &string : stringInfo.children[0].children) {
        QVERIFY(string.isText);
        strings.append({string.key, string.text()});
    }
    QCOMPARE(strings, expected);

    const VersionNode &varInfo = m_version.children[1];
    QCOMPARE(varInfo.childKeys(), QStringList{"Translation"});
    const QByteArray &translation = varInfo.children[0].value;
    QCOMPARE(translation.size(), 4);
    QCOMPARE(word(translation, 0), quint16(0x0409));
    QCOMPARE(word(translation, 2), quint16(0x04B0));
}

void TestIdentity::iconGroup()
{
    const Resource *group = find(14, 1);
    QVERIFY(group);
    QCOMPARE(word(group->data, 2), quint16(1)); // icons, not cursors
    // Size and bits per pixel of each image, in the group's order.
    const QList<QPair<int, int>> expected{{48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32}};
    QList<QPair<int, int>> images;
    for (int i = 0; i < word(group->data, 4); ++i) {
        const qsizetype entry = 6 + 14 * i;
        const int width = quint8(group->data.at(entry));
        QCOMPARE(quint8(group->data.at(entry + 1)), width);
        images.append({width, word(group->data, entry + 6)});
        QVERIFY2(find(3, word(group->data, entry + 12)), "the group names an image that is missing");
    }
    QCOMPARE(images, expected);
}

void TestIdentity::desktopEntry_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("an application") << "Type" << "Application";
    QTest::newRow("named by its title") << "Name" << "Tillomar";
    // The program takes no arguments, so no file or URL field codes.
    QTest::newRow("started by its executable alone") << "Exec" << "Tillomar";
    QTest::newRow("icon named by the application id") << "Icon" << appId;
    QTest::newRow("a calculator among the utilities") << "Categories" << "Utility;Calculator;";
    // Without it a desktop shows the X11 window under a generic icon.
    QTest::newRow("its windows matched by class") << "StartupWMClass" << "Tillomar";
}

void TestIdentity::desktopEntry()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(desktopEntryKeys(readText(QStringLiteral(DESKTOP_ENTRY))).value(key), value);
}

void TestIdentity::metainfo_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("value");
    QTest::newRow("id") << "component/id" << appId;
    QTest::newRow("a desktop application") << "component@type" << "desktop-application";
    QTest::newRow("name") << "component/name" << "Tillomar";
    QTest::newRow("metadata licence") << "component/metadata_license" << "CC0-1.0";
    QTest::newRow("project licence") << "component/project_license" << "MIT";
    QTest::newRow("launched by the desktop entry") << "component/launchable" << appId + ".desktop";
    QTest::newRow("launchable kind") << "component/launchable@type" << "desktop-id";
    QTest::newRow("release 1.01") << "component/releases/release@version" << "1.01";
    QTest::newRow("content rating") << "component/content_rating@type" << "oars-1.1";
    QTest::newRow("maker") << "component/developer_name" << "Varnholt";
}

void TestIdentity::metainfo()
{
    QFETCH(QString, item);
    QFETCH(QString, value);
    const auto items = metainfoItems(readText(QStringLiteral(METAINFO)));
    QCOMPARE(items.value(QStringLiteral("error")), QString());
    QCOMPARE(items.values(item), QStringList{value});
}

void TestIdentity::oneSummaryEverywhere()
{
    // The software centre shows the same line as the application menu.
    const QString comment = desktopEntryKeys(readText(QStringLiteral(DESKTOP_ENTRY))).value(QStringLiteral("Comment"));
    QVERIFY(!comment.isEmpty());
    QCOMPARE(metainfoItems(readText(QStringLiteral(METAINFO))).values(QStringLiteral("component/summary")),
             QStringList{comment});
}

void TestIdentity::runningApplication()
{
    app::setUpApplication();
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Tillomar"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.01"));
    QCOMPARE(QApplication::organizationName(), QStringLiteral("Varnholt"));
    QCOMPARE(QGuiApplication::desktopFileName(), appId);
}

QTEST_MAIN(TestIdentity)
#include "tst_identity.moc"

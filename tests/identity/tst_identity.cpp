// SPDX-License-Identifier: MIT
// The identity data as the desktop entry, the AppStream metainfo and the
// running application carry it, against the values the program must carry.

#include "app/application.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString appId = QStringLiteral("example.varnholt.Tillomar");

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
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
    void desktopEntry_data();
    void desktopEntry();
    void metainfo_data();
    void metainfo();
    void oneSummaryEverywhere();
    void runningApplication();
};

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

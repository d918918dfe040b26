// SPDX-License-Identifier: MIT
// The identity data the running application carries. The desktop entry and
// the AppStream metainfo are read by their validators (see CMakeLists.txt).

#include "app/application.h"

#include <QApplication>
#include <QTest>

class TestIdentity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runningApplication()
    {
        app::setUpApplication();
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Tillomar"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.01"));
        QCOMPARE(QApplication::organizationName(), QStringLiteral("Varnholt"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("example.varnholt.Tillomar"));
    }
};

QTEST_MAIN(TestIdentity)
#include "tst_identity.moc"

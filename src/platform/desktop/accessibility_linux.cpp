// SPDX-License-Identifier: MIT
#include "platform/desktop/accessibilitybridge.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QLibraryInfo>
#include <QVersionNumber>
#include <QWidget>

namespace platform {

namespace {

// Where an event comes from, as AT-SPI's events carry it.
struct EventOrigin
{
    QString service;
    QDBusObjectPath path;
};

QDBusArgument &operator<<(QDBusArgument &argument, const EventOrigin &origin)
{
    argument.beginStructure();
    argument << origin.service << origin.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, EventOrigin &origin)
{
    argument.beginStructure();
    argument >> origin.service >> origin.path;
    argument.endStructure();
    return argument;
}

} // namespace

// Qt before 6.8 tells a reader of a new description with the object's path
// where the description belongs, and Orca has nothing to speak. The event
// goes out once more as AT-SPI defines it, on the connection that Qt's
// bridge keeps to the accessibility bus.
void bridgeDescriptionChanged(QWidget *widget, const QString &description)
{
    static const bool brokenBridge = QLibraryInfo::version() < QVersionNumber(6, 8);
    const QDBusConnection bus(QStringLiteral("a11y"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    if (!brokenBridge || !bus.isConnected() || !accessible)
        return;
    static const QMetaType origin = qDBusRegisterMetaType<EventOrigin>();
    Q_UNUSED(origin);
    const QString prefix = QStringLiteral("/org/a11y/atspi/accessible/");
    QDBusMessage event = QDBusMessage::createSignal(prefix + QString::number(QAccessible::uniqueId(accessible)),
                                                    QStringLiteral("org.a11y.atspi.Event.Object"),
                                                    QStringLiteral("PropertyChange"));
    event << QStringLiteral("accessible-description") << 0 << 0 << QVariant::fromValue(QDBusVariant(description))
          << QVariant::fromValue(EventOrigin{bus.baseService(), QDBusObjectPath(prefix + QStringLiteral("root"))});
    bus.send(event);
}

} // namespace platform

#include "portalinhibition.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString PORTAL = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PORTAL_PATH = QStringLiteral("/org/freedesktop/portal/desktop");

// What the portal is asked to hold back: logging out (with shutting down,
// which ends the session too) and suspending, on request or when idle.
// Switching users ends nothing.
enum InhibitFlag : uint { LOGOUT = 1, SUSPEND = 4, IDLE = 8 };

} // namespace

std::shared_ptr<PortalInhibition> PortalInhibition::request(const QString& reason)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return nullptr;
    QDBusMessage call = QDBusMessage::createMethodCall(
        PORTAL, PORTAL_PATH, QStringLiteral("org.freedesktop.portal.Inhibit"),
        QStringLiteral("Inhibit"));
    // No parent window: the portal shows nothing for this request.
    call << QString() << uint(LOGOUT | SUSPEND | IDLE)
         << QVariantMap{{QStringLiteral("reason"), reason}};
    std::shared_ptr<PortalInhibition> inhibition(new PortalInhibition);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    // The answer keeps the inhibition alive until it has come, so that a
    // request granted after the test has ended is closed all the same.
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                     [pending = inhibition](QDBusPendingCallWatcher* answered) mutable {
                         const QDBusPendingReply<QDBusObjectPath> reply = *answered;
                         if (!reply.isError())
                             pending->m_handle = reply.value().path();
                         answered->deleteLater();
                         pending.reset();
                     });
    return inhibition;
}

PortalInhibition::~PortalInhibition()
{
    if (m_handle.isEmpty())
        return;
    // Nothing to wait for: a request already gone is as good as closed.
    QDBusConnection::sessionBus().send(QDBusMessage::createMethodCall(
        PORTAL, m_handle, QStringLiteral("org.freedesktop.portal.Request"),
        QStringLiteral("Close")));
}

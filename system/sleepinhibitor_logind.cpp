#include "sleepinhibitor.h"

#include "portalinhibition.h"

#include <fcntl.h>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <unistd.h>

// systemd-logind (or elogind) keeps an inhibitor for as long as the file
// descriptor it hands out stays open anywhere; the kernel closes it when the
// program ends, however it ends, so a killed program holds nothing.
//
// Shutdown (and reboot) is blocked, not merely delayed: a delay would only
// hold the system back a few seconds without telling anyone, while the lines
// of finished units are written anyway when the session's end reaches the
// program. A block makes the desktop's logout and shutdown dialogs, and
// systemctl, name the test and its reason before going on, and makes a
// shutdown that another user asks for wait for an explicit override.

namespace {

// A logind that does not answer within this time is as good as none.
constexpr int REPLY_TIMEOUT_MS = 5000;

} // namespace

SleepInhibitor::SleepInhibitor(quintptr /*window*/)
{
    // A Wayland session asks the portal's requests, not logind's, before
    // it logs out; inside a sandbox the portal may be all there is.
    m_portal = PortalInhibition::request(reason());
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle:shutdown") << QCoreApplication::applicationName() << reason()
         << QStringLiteral("block");
    const QDBusConnection bus = QDBusConnection::systemBus();
    const QDBusMessage reply = bus.call(call, QDBus::Block, REPLY_TIMEOUT_MS);
    const QDBusUnixFileDescriptor fd =
        qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().value(0));
    if (!bus.isConnected()) {
        reportUnavailable(QStringLiteral("no system bus: %1").arg(bus.lastError().message()));
        return;
    }
    if (reply.type() != QDBusMessage::ReplyMessage || !fd.isValid()) {
        reportUnavailable(QStringLiteral("no answer from logind: %1").arg(reply.errorMessage()));
        return;
    }
    // Our own copy: the reply's is closed with it. Not inherited by children,
    // which could otherwise keep the computer awake after we are gone.
    m_token = ::fcntl(fd.fileDescriptor(), F_DUPFD_CLOEXEC, 0);
    m_held = m_token >= 0;
}

SleepInhibitor::~SleepInhibitor()
{
    if (m_held)
        ::close(static_cast<int>(m_token));
}

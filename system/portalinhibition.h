#pragma once

#include <memory>
#include <QString>

// The desktop portal's inhibition (org.freedesktop.portal.Inhibit): how a
// program asks a Wayland session (GNOME, KDE), or any desktop from inside a
// sandbox, not to log out, suspend or go idle. A Wayland session has no X
// session manager to object to a logout, so this request is the only one it
// heeds. The portal answers with a request object, which holds the
// inhibition until it is closed.
//
// The request is sent without waiting: where no portal runs, the bus may
// take its time to say so (it may try to start one), and the dialog must not
// stop answering meanwhile. The answer may therefore come after the test has
// ended; the inhibition then ends as soon as it has come.
class PortalInhibition {
public:
    // Asks the portal; nullptr where there is no session bus. The request is
    // closed once the last owner has let go and the portal has answered.
    static std::shared_ptr<PortalInhibition> request(const QString& reason);

    ~PortalInhibition();
    PortalInhibition(const PortalInhibition&) = delete;
    PortalInhibition& operator=(const PortalInhibition&) = delete;

private:
    PortalInhibition() = default;

    // The request object's path, once the portal has granted one.
    QString m_handle;
};

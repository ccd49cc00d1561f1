// Without POSIX signals the system's request to end comes as the end of the
// desktop session, which the dialog hears from QGuiApplication.
#include "endrequestwatcher.h"

EndRequestWatcher::EndRequestWatcher(QObject* parent) : QObject(parent) {}

EndRequestWatcher::~EndRequestWatcher() = default;

void EndRequestWatcher::onSignalled() {}

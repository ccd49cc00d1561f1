#include "qtserialdevice.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <QSocketNotifier>
#include <unistd.h>

// The port's file descriptor is non-blocking: neither call waits. A failure
// or a full queue counts as nothing written or read, as through QSerialPort.

namespace {

// QSerialPort reads whatever arrives as soon as it arrives, waking the
// program for each piece; with its reading notifier off the bytes wait in
// the system until the run reads them. The notifier is the port's first
// (made when the port opened); should that ever change, QSerialPort goes on
// reading ahead, and ReadWaiting takes its bytes first, which costs only
// wake-ups.
void stopReadingAhead(QSerialPort& port)
{
    auto* notifier = port.findChild<QSocketNotifier*>(QString(), Qt::FindDirectChildrenOnly);
    if (notifier && notifier->type() == QSocketNotifier::Read)
        notifier->setEnabled(false);
}

} // namespace

qint64 QtSerialDevice::writeAtOnce(const char* data, qint64 nCount)
{
    stopReadingAhead(m_port);
    ssize_t nWritten = 0;
    do
        nWritten = ::write(static_cast<int>(m_port.handle()), data, static_cast<size_t>(nCount));
    while (nWritten < 0 && errno == EINTR);
    return nWritten > 0 ? nWritten : 0;
}

qint64 QtSerialDevice::readFromSystem(char* buf, qint64 nMax)
{
    stopReadingAhead(m_port);
    const int fd = static_cast<int>(m_port.handle());
    ssize_t nRead = 0;
    do
        nRead = ::read(fd, buf, static_cast<size_t>(nMax));
    while (nRead < 0 && errno == EINTR);
    if (nRead > 0)
        return nRead;
    const int error = nRead < 0 ? errno : 0;
    if (error == EAGAIN || error == EWOULDBLOCK)
        return 0;
    // A read that waits for no byte finds nothing on a quiet line and on one
    // that hung up (its USB adapter gone) alike; only poll tells them apart.
    pollfd line = {fd, POLLIN, 0};
    const bool hungUp = ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL));
    if (error != 0 || hungUp) {
        m_failed = true;
        m_errorText = std::strerror(error != 0 ? error : EIO);
    }
    return 0;
}

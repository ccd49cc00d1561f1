#include "qtserialdevice.h"

#include <cerrno>
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
    ssize_t nRead = 0;
    do
        nRead = ::read(static_cast<int>(m_port.handle()), buf, static_cast<size_t>(nMax));
    while (nRead < 0 && errno == EINTR);
    return nRead > 0 ? nRead : 0;
}

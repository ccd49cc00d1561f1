// The only place that uses POSIX terminals directly; the program itself goes
// through QSerialPort.
#include "pseudoterminal.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

int BaudOf(speed_t speed)
{
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

} // namespace

PseudoTerminal::PseudoTerminal()
{
    char name[128] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    m_deviceName = name;
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    // Keeping our own descriptor of the port open means the receiver's end
    // does not see a hang-up each time the program closes the port.
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

int PseudoTerminal::write(const void* data, int count)
{
    if (m_master < 0)
        return -1;
    const char* p = static_cast<const char*>(data);
    int written = 0;
    while (written < count) {
        const ssize_t n = ::write(m_master, p + written, static_cast<size_t>(count - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd pfd{m_master, POLLOUT, 0};
                ::poll(&pfd, 1, 100);
                continue;
            }
            return written > 0 ? written : -1;
        }
        written += static_cast<int>(n);
    }
    return written;
}

int PseudoTerminal::read(void* buf, int size, int msTimeout)
{
    if (m_master < 0 || size <= 0)
        return 0;
    if (msTimeout > 0) {
        pollfd pfd{m_master, POLLIN, 0};
        while (::poll(&pfd, 1, msTimeout) < 0 && errno == EINTR) {
        }
    }
    const ssize_t n = ::read(m_master, buf, static_cast<size_t>(size));
    return n > 0 ? static_cast<int>(n) : 0;
}

int PseudoTerminal::waitingAtPort() const
{
    int count = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &count) != 0)
        return 0;
    return count;
}

bool PseudoTerminal::lineSettings(PtyLineSettings& settings) const
{
    termios tio{};
    // Our own descriptor of the port side sees what the program set.
    if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0)
        return false;
    settings.baudRate = BaudOf(::cfgetospeed(&tio));
    switch (tio.c_cflag & CSIZE) {
    case CS5:
        settings.dataBits = 5;
        break;
    case CS6:
        settings.dataBits = 6;
        break;
    case CS7:
        settings.dataBits = 7;
        break;
    default:
        settings.dataBits = 8;
        break;
    }
    settings.parity = (tio.c_cflag & PARENB) != 0;
    settings.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    settings.raw = (tio.c_lflag & (ECHO | ICANON | ISIG | IEXTEN)) == 0 &&
                   (tio.c_iflag & (ICRNL | INLCR | IGNCR)) == 0 && (tio.c_oflag & OPOST) == 0;
    settings.xonXoff = (tio.c_iflag & (IXON | IXOFF)) != 0;
    settings.hardwareFlow = (tio.c_cflag & CRTSCTS) != 0;
    return true;
}

void PseudoTerminal::close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_master = m_slave = -1;
}

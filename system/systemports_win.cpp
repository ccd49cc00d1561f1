#include "systemports.h"

#include <windows.h>

// Windows lists the COM ports that exist now under SERIALCOMM: one value per
// port, named after the driver's device, holding the port's name. The key
// has no place for a maker or a serial number.

namespace {

constexpr DWORD NAME_CHARS = 256;

} // namespace

QList<SystemPort> systemSerialPorts()
{
    QList<SystemPort> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t device[NAME_CHARS];
        wchar_t port[NAME_CHARS];
        DWORD deviceChars = NAME_CHARS;
        DWORD portBytes = sizeof port - sizeof port[0];
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, device, &deviceChars, nullptr, &type,
                                          reinterpret_cast<BYTE*>(port), &portBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            continue;
        // The data need not end in a terminator of its own.
        port[portBytes / sizeof port[0]] = L'\0';
        ports << SystemPort{QString::fromWCharArray(port).trimmed(),
                            QString::fromWCharArray(device, static_cast<int>(deviceChars)),
                            QString(), QString()};
    }
    RegCloseKey(key);
    return ports;
}

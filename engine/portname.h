#pragma once

#include <QString>

// The system's device for a port called "COM1".."COM4". On Windows that is
// the name itself. Elsewhere COMn is the device named by the environment
// variable DUNMERROW_COMn when it is set (a USB adapter, say
// DUNMERROW_COM1=/dev/ttyUSB0), and /dev/ttyS<n-1> otherwise.
QString SystemPortName(const char* szComName);

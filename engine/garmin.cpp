#include "garmin.h"

#include "logformat.h"
#include "testdialogbase.h"
#include "units.h"
#include "versiontext.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int WORK_SIZE = 512;
constexpr unsigned char GARMIN_PID_ACK = 0x06;
// The longest packet with its escapes removed: DLE, id, size, 255 data
// bytes and the checksum.
constexpr int MAX_PACKET = 259;

// Reads one packet of the reply from `start` with the link protocol's rule:
// the byte at `start` opens it, and from there DLE DLE is one 0x10 and DLE
// ETX is the end. A lone DLE before anything else is kept as it stands, as a
// receiver that forgot to double it meant it. `out` receives the opening
// byte, id, size, data and checksum with the escapes removed. Returns the
// offset of the closing DLE, or -1 when no packet ends within the reply or
// within a packet's greatest length.
int ReadPacket(const unsigned char* reply, int start, unsigned char* out, int& outLength)
{
    outLength = 0;
    out[outLength++] = reply[start];
    int i = start + 1;
    while (i < REPLY_SIZE) {
        const unsigned char c = reply[i];
        const bool bEscape = c == GARMIN_DLE && i + 1 < REPLY_SIZE;
        if (bEscape && reply[i + 1] == GARMIN_ETX)
            return i;
        if (outLength == MAX_PACKET)
            return -1;
        out[outLength++] = c;
        i += bEscape && reply[i + 1] == GARMIN_DLE ? 2 : 1;
    }
    return -1;
}

// The checksum of a packet: the two's complement of the 8-bit sum of its id,
// size and data, the n + 2 bytes after its opening DLE.
unsigned char checksumOf(const unsigned char* idSizeData, int count)
{
    unsigned char sum = 0;
    for (int i = 0; i < count; ++i)
        sum = static_cast<unsigned char>(sum + idSizeData[i]);
    return static_cast<unsigned char>(-sum);
}

// True when the last byte of the unescaped packet is the checksum of its id,
// size and data.
bool ChecksumMatches(const unsigned char* packet, int length)
{
    return checksumOf(packet + 1, 2 + packet[2]) == packet[length - 1];
}

// Where a packet may begin: a DLE followed by an id. DLE DLE (a doubled 0x10
// inside a packet whose start was cut off) and DLE ETX (such a packet's end)
// are passed over whole.
int NextPacketStart(const unsigned char* reply, int from)
{
    int i = from;
    while (i + 1 < REPLY_SIZE) {
        if (reply[i] != GARMIN_DLE) {
            ++i;
        } else if (reply[i + 1] == GARMIN_DLE || reply[i + 1] == GARMIN_ETX) {
            i += 2;
        } else {
            return i;
        }
    }
    return -1;
}

} // namespace

int AppendGarminChecksum(char* packet)
{
    unsigned char* bytes = reinterpret_cast<unsigned char*>(packet);
    const int n = bytes[2];
    bytes[3 + n] = checksumOf(bytes + 1, 2 + n);
    bytes[4 + n] = GARMIN_DLE;
    bytes[5 + n] = GARMIN_ETX;
    bytes[6 + n] = 0;
    return 1;
}

void BuildGarminQuery(char* szQuery)
{
    szQuery[0] = static_cast<char>(GARMIN_DLE);
    szQuery[1] = static_cast<char>(GARMIN_PID_PRODUCT_RQST);
    szQuery[2] = 0;
    AppendGarminChecksum(szQuery);
}

int CheckGarminReply(int unit, const char* reply)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(reply);
    unsigned char work[WORK_SIZE];
    bool bAcknowledged = false;
    int start = NextPacketStart(bytes, 0);
    while (start >= 0) {
        std::memset(work, 0, sizeof work);
        int length = 0;
        const int end = ReadPacket(bytes, start, work, length);
        // A size that disagrees with where the packet ended marks bytes that
        // only look like a packet start, such as the tail of one cut off at
        // the front of the reply: they are looked past, not reported.
        if (end < 0 || length != work[2] + 4) {
            start = NextPacketStart(bytes, start + 1);
            continue;
        }
        start = NextPacketStart(bytes, end + 2);
        if (work[1] == GARMIN_PID_ACK) {
            if (!ChecksumMatches(work, length)) {
                g_pTestDialog->MessageBoxOk("Bad Checksum in Garmin ACK Message");
                return 0;
            }
            bAcknowledged = true;
        } else if (work[1] == GARMIN_PID_PRODUCT_DATA && bAcknowledged) {
            if (!ChecksumMatches(work, length)) {
                g_pTestDialog->MessageBoxOk("Bad Checksum in Garmin Version Message");
                return 0;
            }
            work[length] = GARMIN_DLE;
            work[length + 1] = GARMIN_ETX;
            StoreVersionText(unit, reinterpret_cast<const char*>(work));
            return 1;
        }
        // Any other packet (position, velocity and time, say) is not the answer.
    }
    return 0;
}

void FormatGarminVersion(const char* packet, char* szVersion, int nVersionSize)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(packet);
    if (bytes[0] != GARMIN_DLE || bytes[1] != GARMIN_PID_PRODUCT_DATA) {
        szVersion[0] = '\0';
        return;
    }
    // Data: product id (2 bytes, low first), software version (2 bytes),
    // description up to a zero byte or the end of the data.
    const int n = bytes[2];
    const int dataEnd = 3 + n;
    const unsigned int productId = (n >= 1 ? bytes[3] : 0u) | (n >= 2 ? bytes[4] << 8 : 0u);
    char description[256] = {};
    int length = 0;
    for (int i = 7; i < dataEnd && bytes[i] != 0; ++i)
        description[length++] = static_cast<char>(bytes[i]);

    char line[512];
    std::snprintf(line, sizeof line, "%s %s%u)", description, VERSION_PRODUCT_ID, productId);
    std::snprintf(szVersion, static_cast<std::size_t>(nVersionSize), "%s", line);
}

#include "garminreply.h"

#include "logformat.h"

#include <cstdio>
#include <cstring>

namespace {

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
int readPacket(const unsigned char* reply, int size, int start, unsigned char* out, int& outLength)
{
    outLength = 0;
    out[outLength++] = reply[start];
    int i = start + 1;
    while (i < size) {
        const unsigned char c = reply[i];
        const bool bEscape = c == GARMIN_DLE && i + 1 < size;
        if (bEscape && reply[i + 1] == GARMIN_ETX)
            return i;
        if (outLength == MAX_PACKET)
            return -1;
        out[outLength++] = c;
        i += bEscape && reply[i + 1] == GARMIN_DLE ? 2 : 1;
    }
    return -1;
}

// True when the last byte of the unescaped packet is the checksum of its id,
// size and data.
bool checksumMatches(const unsigned char* packet, int length)
{
    return garminChecksum(packet + 1, 2 + packet[2]) == packet[length - 1];
}

// Where a packet may begin: a DLE followed by an id. DLE DLE (a doubled 0x10
// inside a packet whose start was cut off) and DLE ETX (such a packet's end)
// are passed over whole.
int nextPacketStart(const unsigned char* reply, int size, int from)
{
    int i = from;
    while (i + 1 < size) {
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

unsigned char garminChecksum(const unsigned char* idSizeData, int count)
{
    unsigned char sum = 0;
    for (int i = 0; i < count; ++i)
        sum = static_cast<unsigned char>(sum + idSizeData[i]);
    return static_cast<unsigned char>(-sum);
}

GarminReplyFinding scanGarminReply(const char* reply, int size,
                                   unsigned char (&packet)[GARMIN_PACKET_SIZE])
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(reply);
    bool bAcknowledged = false;
    int start = nextPacketStart(bytes, size, 0);
    while (start >= 0) {
        std::memset(packet, 0, sizeof packet);
        int length = 0;
        const int end = readPacket(bytes, size, start, packet, length);
        // A size that disagrees with where the packet ended marks bytes that
        // only look like a packet start, such as the tail of one cut off at
        // the front of the reply: they are looked past, not reported.
        if (end < 0 || length != packet[2] + 4) {
            start = nextPacketStart(bytes, size, start + 1);
            continue;
        }
        start = nextPacketStart(bytes, size, end + 2);
        if (packet[1] == GARMIN_PID_ACK) {
            if (!checksumMatches(packet, length))
                return GarminReplyFinding::BadAckChecksum;
            bAcknowledged = true;
        } else if (packet[1] == GARMIN_PID_PRODUCT_DATA && bAcknowledged) {
            if (!checksumMatches(packet, length))
                return GarminReplyFinding::BadVersionChecksum;
            packet[length] = GARMIN_DLE;
            packet[length + 1] = GARMIN_ETX;
            return GarminReplyFinding::ProductData;
        }
        // Any other packet (position, velocity and time, say) is not the answer.
    }
    return GarminReplyFinding::Nothing;
}

void formatGarminVersion(const char* packet, char* szVersion, int nVersionSize)
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

#include "garmin.h"

#include "testdialogbase.h"
#include "units.h"
#include "versiontext.h"

int AppendGarminChecksum(char* packet)
{
    unsigned char* bytes = reinterpret_cast<unsigned char*>(packet);
    const int n = bytes[2];
    bytes[3 + n] = garminChecksum(bytes + 1, 2 + n);
    bytes[4 + n] = GARMIN_DLE;
    bytes[5 + n] = GARMIN_ETX;
    bytes[6 + n] = 0;
    return 1;
}

void buildGarminQuery(char* szQuery)
{
    szQuery[0] = static_cast<char>(GARMIN_DLE);
    szQuery[1] = static_cast<char>(GARMIN_PID_PRODUCT_RQST);
    szQuery[2] = 0;
    AppendGarminChecksum(szQuery);
}

int CheckGarminReply(int unit, const char* reply)
{
    unsigned char packet[GARMIN_PACKET_SIZE];
    switch (scanGarminReply(reply, REPLY_SIZE, packet)) {
    case GarminReplyFinding::BadAckChecksum:
        g_pTestDialog->MessageBoxOk("Bad Checksum in Garmin ACK Message");
        return 0;
    case GarminReplyFinding::BadVersionChecksum:
        g_pTestDialog->MessageBoxOk("Bad Checksum in Garmin Version Message");
        return 0;
    case GarminReplyFinding::ProductData:
        StoreVersionText(unit, reinterpret_cast<const char*>(packet));
        return 1;
    case GarminReplyFinding::Nothing:
        break;
    }
    return 0;
}

#include "magellan.h"

#include "units.h"
#include "versiontext.h"

#include <cstdio>
#include <cstring>

int AppendNmeaChecksum(char* szSentence)
{
    const std::size_t n = std::strlen(szSentence);
    const unsigned char sum = n > 1 ? nmeaChecksum(szSentence + 1, n - 1) : 0;
    char work[256];
    std::snprintf(work, sizeof work, "%s*%02X%c%c", szSentence, sum, 13, 10);
    std::memcpy(szSentence, work, std::strlen(work) + 1);
    return 1;
}

void buildMagellanQuery(char* szQuery)
{
    std::strcpy(szQuery, "$PMGNCMD,VERSION");
    AppendNmeaChecksum(szQuery);
}

int CheckMagellanReply(int unit, char* reply)
{
    const MagellanVersionSentence sentence = scanMagellanReply(reply, REPLY_SIZE);
    if (sentence.start < 0)
        return 0;
    reply[sentence.star] = '\0';
    StoreVersionText(unit, reply + sentence.start);
    return 1;
}

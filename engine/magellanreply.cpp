#include "magellanreply.h"

#include "logformat.h"
#include "units.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int FIELD_SIZE = 50;
constexpr int DESCRIPTION_SIZE = 500;
// The address of the answer to the version query; no other sentence is one.
constexpr char VERSION_ADDRESS[] = "$PMGNVER";
constexpr int VERSION_ADDRESS_LENGTH = sizeof VERSION_ADDRESS - 1;

// Copies at most size-1 bytes of the field and terminates it.
void copyField(char* dst, int size, const char* src, std::size_t len)
{
    const std::size_t n = len < static_cast<std::size_t>(size - 1) ? len : size - 1;
    std::memcpy(dst, src, n);
    dst[n] = '\0';
}

// Bytes that cannot be inside a sentence: one that meets them before its "*"
// was cut short, by a line end, the next sentence or the end of the reply.
bool endsSentence(char c)
{
    return c == '\0' || c == '\r' || c == '\n' || c == '$';
}

// The offset of the "*" of a version sentence starting at `i`, with both
// checksum digits after it inside the reply; -1 when there is none.
int versionSentenceStar(const char* reply, int size, int i)
{
    if (i + VERSION_ADDRESS_LENGTH >= size ||
        std::memcmp(reply + i, VERSION_ADDRESS, VERSION_ADDRESS_LENGTH) != 0)
        return -1;
    const char after = reply[i + VERSION_ADDRESS_LENGTH];
    if (after != ',' && after != '*')
        return -1;
    int star = i + VERSION_ADDRESS_LENGTH;
    while (star < size && reply[star] != '*' && !endsSentence(reply[star]))
        ++star;
    if (star + 2 >= size || reply[star] != '*')
        return -1;
    return star;
}

} // namespace

unsigned char nmeaChecksum(const char* bytes, std::size_t count)
{
    unsigned char sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum ^= static_cast<unsigned char>(bytes[i]);
    return sum;
}

MagellanVersionSentence scanMagellanReply(const char* reply, int size)
{
    for (int i = 0; i < size; ++i) {
        if (reply[i] != '$')
            continue;
        const int star = versionSentenceStar(reply, size, i);
        if (star < 0)
            continue;
        const unsigned char sum =
            nmeaChecksum(reply + i + 1, static_cast<std::size_t>(star - i - 1));
        char expected[3];
        std::snprintf(expected, sizeof expected, "%02X", sum);
        if (reply[star + 1] == expected[0] && reply[star + 2] == expected[1])
            return {i, star};
    }
    return {};
}

void formatMagellanVersion(const char* reply, char* szVersion, int nVersionSize)
{
    char copy[REPLY_SIZE + 1] = {};
    std::memcpy(copy, reply, boundedLength(reply, REPLY_SIZE));

    // Fields as a tokeniser on "," counts them: runs of commas are one
    // separator, and empty fields are not counted.
    char productId[FIELD_SIZE] = {};
    char software[FIELD_SIZE] = {};
    char description[DESCRIPTION_SIZE] = {};
    int field = 0;
    const char* p = copy;
    while (*p != '\0' && field <= 3) {
        while (*p == ',')
            ++p;
        if (*p == '\0')
            break;
        const char* start = p;
        while (*p != '\0' && *p != ',')
            ++p;
        const std::size_t len = static_cast<std::size_t>(p - start);
        if (field == 1)
            copyField(productId, FIELD_SIZE, start, len);
        else if (field == 2)
            copyField(software, FIELD_SIZE, start, len);
        else if (field == 3)
            copyField(description, DESCRIPTION_SIZE, start, len);
        ++field;
    }

    // Room for every field at its longest; the field cuts the line anyway.
    char line[DESCRIPTION_SIZE + 2 * FIELD_SIZE + 64];
    std::snprintf(line, sizeof line, "%s Software Version %s %s%s)", description, software,
                  VERSION_PRODUCT_ID, productId);
    std::snprintf(szVersion, static_cast<std::size_t>(nVersionSize), "%s", line);
}

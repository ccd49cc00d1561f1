#pragma once

#include <cstdint>

// Everything the engine does differently for a Magellan and a Garmin
// receiver is one table, and each maker's name is written once, in the
// result log's format (logformat.h), which the dialog's list and Dunmerrow
// Results read too: a new maker is a row there and a row here, and nothing
// else changes. The serial line is 8 data bits, no parity, one stop bit and
// no flow control for every maker; only its speed differs.
struct GpsMakerTraits {
    std::int32_t eMfg;
    // The maker as the result log names it and the maker list offers it;
    // a list text that begins with it (in any case) chooses the maker.
    const char* name;
    int baudRate;
    // Builds the version query in a zero-filled buffer of QUERY_SIZE bytes.
    void (*buildQuery)(char* szQuery);
    // How many bytes of a query built by buildQuery go on the wire.
    int (*queryLength)(const char* szQuery);
    // Looks for the answer to the version query in a reply buffer of
    // REPLY_SIZE bytes and offers it to StoreVersionText; 1 when found.
    int (*checkReply)(int unit, char* reply);
    // The one-line version text of the reply checkReply offered.
    void (*formatVersion)(const char* reply, char* szVersion, int nVersionSize);
};

// The traits of a UnitInfo::eMfg value; nullptr for any value that is not a
// known maker, which each caller handles in its own way.
const GpsMakerTraits* makerTraits(std::int32_t eMfg);

// The maker whose name the selected text of a maker list begins with, in any
// case; nullptr when it names none.
const GpsMakerTraits* makerForSelection(const char* selection);

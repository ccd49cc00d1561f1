#pragma once

#include "magellanreply.h"

// Appends "*", the checksum and CR LF to the sentence in place. The buffer
// must hold five more characters. Always 1.
int AppendNmeaChecksum(char* szSentence);

// Builds the version query "$PMGNCMD,VERSION*28\r\n" in a zero-filled buffer
// of at least 22 bytes.
void buildMagellanQuery(char* szQuery);

// Looks through the unit's reply (REPLY_SIZE bytes, zero after those
// received) with scanMagellanReply. When the answer to the version query is
// there, its "*" is replaced by a zero byte in the reply itself and the
// sentence, so cut, is offered to StoreVersionText: 1. Otherwise 0, and the
// reply is left as it was. Nothing is shown.
int CheckMagellanReply(int unit, char* reply);

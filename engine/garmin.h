#pragma once

#include "garminreply.h"

// Given a buffer that starts with DLE, id, size n and the n data bytes, writes
// the checksum, DLE, ETX and a zero byte after the data (n + 7 bytes in all).
// Always 1.
int AppendGarminChecksum(char* packet);

// Builds the Product Request 10 FE 00 02 10 03 in a zero-filled buffer of at
// least 7 bytes. It holds no 0x10 that would need doubling.
void buildGarminQuery(char* szQuery);

// Looks through the unit's reply (REPLY_SIZE bytes, zero after those
// received) with scanGarminReply and acts on what it found. An
// acknowledgement or Product Data packet with a wrong checksum shows "Bad
// Checksum in Garmin ACK Message" or "Bad Checksum in Garmin Version
// Message" and returns 0. Returns 1 when both packets verify; the Product
// Data packet has then been offered to StoreVersionText. Without them: 0,
// and nothing shown.
int CheckGarminReply(int unit, const char* reply);

#include "commandline.h"

namespace {

const char HELP[] = R"(Usage: gpssim [--dir DIR] [--linger SECONDS] [--verbose]
              --com1 RECEIVER [--com2 RECEIVER] [--com3 RECEIVER] [--com4 RECEIVER]

Plays up to four hand-held GPS receivers for Dunmerrow, each on its own
pseudo-terminal linked as DIR/COMn, and prints DUNMERROW_COMn=DIR/COMn for
each on standard output. A receiver answers the version query until its
battery life, counted from the first bytes it hears, is over; then it is
silent. Dunmerrow reports an endurance of life + 2 to life + 4 seconds
(or a few seconds less when its answers come late).
It runs until stopped (Ctrl-C, SIGTERM) or until every receiver has died
and the linger time has passed; then it prints a summary line per receiver,
starting with "#", and removes the links. Events go to standard error.

Options:
  --comN RECEIVER   a receiver on COMN, N from 1 to 4; at least one
  --dir DIR         where the links go (default $TMPDIR/gpssim)
  --linger SECONDS  how long the silent ports stay after the last death
                    (default 5, at most 3600)
  -v, --verbose     log every query and answer too
  -h, --help        this text

RECEIVER is PROTOCOL[,KEY=VALUE]... or replay=FILE[,KEY=VALUE]...;
write a comma inside a value as \,
  PROTOCOL          garmin (9600 baud 8N1) or magellan (4800 baud 8N1)
  life=TIME         90, 1.5, 2h30m, 45m, 10s or forever; at most 500h
                    (default 60)
  id=N              product id, 0 to 65535, decimal or 0x hex
  version=V         0 to 655.35
  desc=TEXT         at most 200 bytes; for magellan without ',', '*' or '$'
  stream[=on|off]   talks all the time besides answering: magellan NMEA
                    sentences, about 450 bytes a second at the line's pace;
                    garmin a PVT data packet a second
  burst=TIME        streams in bursts this far apart instead of once a
                    second, and implies stream: burst=2.8 talks as a
                    receiver that sends its sentences every 2.8 seconds
  delay=TIME[-TIME] answers that long after each query, a time drawn
                    afresh for every answer from a range: 3-6 answers
                    3 to 6 seconds late, as a slow receiver does; at most
                    60s. An answer still due when the battery goes flat is
                    never sent
  vanish=TIME+TIME  its USB adapter goes away that long after the first
                    bytes it hears, for the second time, as after a
                    resume or a loose plug: the pseudo-terminal closes and
                    its link goes, then a new one comes back at the same
                    link, the receiver running on: 20+5 is gone at 20
                    seconds for 5
  fault=FAULT       none, bad-checksum (in the answer), lowercase (magellan:
                    checksum digits in lower case), or unplug (at the end of
                    its life the pseudo-terminal closes and its link goes)
  replay=FILE       plays FILE back; PROTOCOL may be left out. FILE is either
                    a traffic trace written by Dunmerrow --trace, of which
                    COMN's traffic is played as it was: each query that
                    matches the next one recorded gets what Dunmerrow read
                    after it, at the line's pace (faster, should the line
                    take more than a third of the time to the recorded
                    read), and nothing where Dunmerrow found nothing; the
                    receiver dies when the trace ends. A trace decides
                    everything, so give it alone. Or FILE is a capture of
                    a receiver's NMEA output (lines starting with '#' are
                    comments): the receiver's stream, line by line with
                    CR LF, from the start again at its end, while it
                    answers queries as the other keys say

A query sent at another speed or framing is noise: counted as bad, not
answered.

Examples:
  gpssim --com1 garmin,life=2h --com2 magellan,life=90m,stream
  gpssim --com1 magellan,life=30m,delay=3-6 --com2 magellan,burst=2.8
  gpssim --com1 garmin,life=5m,vanish=1m+5
  gpssim --com1 'garmin,id=0x0110,version=2.72,desc=eTrex Legend\, yellow'
  gpssim --com1 replay=trace.txt --com2 replay=eXplorist210.log,life=5m
  gpssim --dir /tmp/gps --com1 garmin,life=5m >/tmp/gps.env &
  sleep 1; env $(grep ^DUNMERROW_ /tmp/gps.env) ./build/ui/Dunmerrow

Exit status: 0 when stopped or every receiver has died, 1 when a
pseudo-terminal or link cannot be made, 2 for arguments it does not
understand.
)";

} // namespace

QString helpText()
{
    return QString::fromUtf8(HELP);
}

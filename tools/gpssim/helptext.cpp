#include "commandline.h"

namespace {

const char HELP[] = R"(Usage: gpssim [--dir DIR] [--linger SECONDS] [--verbose]
              --com1 RECEIVER [--com2 RECEIVER] [--com3 RECEIVER] [--com4 RECEIVER]

Plays up to four hand-held GPS receivers for Dunmerrow, each on its own
pseudo-terminal. Each answers the version query in its own protocol until
its battery life, counted from the first bytes it hears, is over; then it
is silent for good. Dunmerrow reports an endurance of life + 2 to life + 4
seconds, because it reads each answer two seconds after asking.

It links DIR/COMn to each pseudo-terminal and prints DUNMERROW_COMn=DIR/COMn
for each receiver on standard output, which is all Dunmerrow needs. It runs
until stopped (Ctrl-C, SIGTERM) or until every receiver has died and the
linger time has passed; then it prints a summary line per receiver, starting
with "#", and removes the links. Events go to standard error.

Options:
  --comN RECEIVER   a receiver on COMN, N from 1 to 4; at least one
  --dir DIR         where the links go (default $TMPDIR/gpssim)
  --linger SECONDS  how long the silent ports stay after the last death, so
                    that Dunmerrow finds them silent rather than gone
                    (default 5, at most 3600; keep it above two seconds)
  -v, --verbose     log every query and answer too
  -h, --help        this text

RECEIVER is PROTOCOL[,KEY=VALUE]...; write a comma inside a value as \,
  PROTOCOL          garmin (9600 baud 8N1) or magellan (4800 baud 8N1)
  life=TIME         90, 1.5, 2h30m, 45m, 10s or forever; at most 500h
                    (default 60)
  id=N              product id, 0 to 65535, decimal or 0x hex
                    (default 130 garmin, 31 magellan)
  version=V         0 to 655.35 (default 2.72 garmin, 1.50 magellan)
  desc=TEXT         at most 200 bytes, and for magellan without ',', '*'
                    or '$' (default eTrex garmin, Meridian Color magellan)
  stream[=on|off]   talks all the time, as receivers do (default off):
                    magellan sends $GPRMC, $GPGGA, $GPGSA, $GPGSV, $GPVTG
                    and $PMGNST, about 450 bytes a second at the line's
                    pace; garmin a PVT data packet (id 0x33) a second
  fault=FAULT       what is wrong with its answers (default none):
    none            a healthy receiver
    bad-checksum    the Product Data packet's or the sentence's checksum
    lowercase       magellan: checksum digits in lower case
    junk[:N]        N bytes of line noise (default 3, at most 64) before
                    every answer
    unplug          at the end of its life the pseudo-terminal closes and
                    its link goes, as when a USB adapter is pulled out

Queries are checked byte for byte, with the line settings Dunmerrow gave
the port: one at another speed or framing is noise to a receiver, counted
as bad (and wrong_speed) and not answered. A stream starts once Dunmerrow
has set the line up and never carries a fault.

Examples:
  gpssim --com1 garmin,life=2h --com2 magellan,life=90m,stream
  gpssim --com1 'garmin,id=0x0110,version=2.72,desc=eTrex Legend\, yellow'
  gpssim --com3 magellan,stream,fault=lowercase --com4 garmin,fault=unplug
  gpssim --dir /tmp/gps --com1 garmin,life=5m >/tmp/gps.env &
  sleep 1; env $(grep ^DUNMERROW_ /tmp/gps.env) ./build/ui/Dunmerrow

Exit status: 0 when stopped or when every receiver has died, 1 when a
pseudo-terminal or link cannot be made, 2 for arguments it does not
understand.
)";

} // namespace

QString helpText()
{
    return QString::fromUtf8(HELP);
}

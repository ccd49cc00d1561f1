#include "commandline.h"

QString HelpText()
{
    return QStringLiteral(
        R"(Usage: gpssim [--dir DIR] [--linger SECONDS] [--verbose]
              --com1 RECEIVER [--com2 RECEIVER] [--com3 RECEIVER] [--com4 RECEIVER]

Simulates up to four hand-held GPS receivers for Dunmerrow, each on its own
pseudo-terminal, so that an endurance test can run without receivers or
batteries. Each receiver answers the version query in its own protocol until
its battery life is over, and from then on is silent for good.

At start it links DIR/COM1 .. DIR/COM4 to the pseudo-terminals and prints one
line per receiver on standard output, for example

    DUNMERROW_COM1=/tmp/gpssim/COM1

which tells Dunmerrow where to find the port. It runs until it is stopped
(Ctrl-C or SIGTERM), or until every receiver has died and the linger time
has passed. Then it prints one summary line per receiver on standard output,
starting with "#" so that the output stays something a shell can read, and
removes the links. Events (deaths, bad queries; with --verbose every query
and reply) go to standard error.

Options:
  --com1 RECEIVER .. --com4 RECEIVER
                    a receiver on that port; at least one is needed
  --dir DIR         where the COMn links go, made if missing
                    (default: $TMPDIR/gpssim, usually /tmp/gpssim)
  --linger SECONDS  how long the silent ports stay after the last receiver
                    has died, so that Dunmerrow finds them silent rather than
                    gone (default 5; 0 stops at once). Keep it above
                    Dunmerrow's two-second wait: closing a port loses the
                    last answer still waiting in it
  -v, --verbose     log every query and reply
  -h, --help        this text

RECEIVER is PROTOCOL[,KEY=VALUE]...; write a comma inside a value as \,
  PROTOCOL          garmin    Garmin link protocol, 9600 baud, 8N1
                    magellan  NMEA 0183, 4800 baud, 8N1
  life=TIME         battery life: seconds (90, 1.5), with units (2h30m, 45m,
                    10s) or forever; at most 500h (default 60)
  id=N              product id, 0 to 65535, decimal or 0x hex
                    (default 130 garmin, 31 magellan)
  version=V         software version, up to two decimals, 0 to 655.35
                    (default 2.72 garmin, 1.50 magellan)
  desc=TEXT         description (default eTrex garmin, Meridian Color
                    magellan); magellan's may not hold ',', '*' or '$'
  fault=FAULT       what is wrong with it (default none)

Faults:
  none              a healthy receiver
  silent            hears and checks queries, never answers
  bad-checksum      garmin: the Product Data packet's checksum is wrong, so
                    Dunmerrow reports "Bad Checksum in Garmin Version
                    Message"; magellan: the sentence's checksum is wrong
  bad-ack-checksum  garmin only: the acknowledgement's checksum is wrong
  lowercase         magellan only: checksum digits in lower case; only a
                    checksum with a letter in it looks any different
  junk[:N]          N bytes of line noise before every reply (default 3)
  overlong          a reply longer than the 255 bytes Dunmerrow reads at
                    once (garmin: 255 data bytes; magellan: 300 bytes)
  every:N           answers only every Nth good query, N from 2
  late[:SECONDS]    answers SECONDS after the query (default 2.5), after
                    Dunmerrow has stopped waiting, as slow receivers do
  nmea              sends $GPRMC and $GPGGA once a second whatever it is
                    asked, and answers nothing: a Garmin left in NMEA mode
  unplug            at the end of its life the pseudo-terminal closes and
                    its link goes, as when a USB adapter is pulled out

Every query is checked byte for byte, with its checksum and the line
settings Dunmerrow gave the port. A query at the wrong speed or framing is
noise to a receiver: it counts as bad (and wrong_speed) and is not answered.

Battery life starts with the first bytes a receiver hears, that is when the
test starts. Dunmerrow queries about every two seconds and reads each answer
about two seconds after sending its query; the first query after the battery
is flat can come up to one cycle after it, and its failed read a wait later.
So for a life of L seconds Dunmerrow reports an endurance between L + 2 and
L + 4 seconds (00:01:02 to 00:01:04 for the default 60).

Examples:
  gpssim --com1 garmin
  gpssim --dir ~/gps --com1 garmin,life=2h --com2 magellan,life=90m,fault=late
  gpssim --com1 'garmin,id=0x0110,version=2.72,desc=eTrex Legend\, yellow'
  gpssim --com1 magellan,fault=every:3 --com4 garmin,life=30,fault=unplug

  # Start it, then start Dunmerrow on the simulated ports:
  gpssim --dir /tmp/gps --com1 garmin,life=5m --com2 magellan >/tmp/gps.env &
  sleep 1; env $(grep ^DUNMERROW_ /tmp/gps.env) ./build/ui/Dunmerrow

Exit status: 0 when stopped or when every receiver has died, 1 when a
pseudo-terminal or link cannot be made, 2 for arguments it does not
understand.
)");
}

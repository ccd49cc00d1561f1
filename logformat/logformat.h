#pragma once

#include <ctime>

// BATTERY.TXT, the result log: one line per unit that finished in a run,
//   COMn, <receiver>, <battery maker>, <type>, <mAh>, <start>,
//   <last response>, <endurance>, <comments>
// The engine writes it, the dialog's lists offer the makers and the battery
// types it names, and Dunmerrow Results reads it back. What they must agree
// on is defined here and nowhere else.

constexpr char LOG_FILE_NAME[] = "BATTERY.TXT";

// A line begins with the port: this, then the port's number.
constexpr char LOG_PORT_PREFIX[] = "COM";
// Follows every field but the comments, the last one. A text is written as
// it is: a comma in it looks just like the separator.
constexpr char LOG_SEPARATOR[] = ", ";
// A battery text left empty is written as this, in place of the text and
// its separator.
constexpr char LOG_EMPTY_TEXT[] = " ,";

// The receiver is a maker's name, a blank and the receiver's version text
// (empty until the receiver has answered the version query), or
// LOG_UNKNOWN_MAKER alone for a unit of no known maker. The makers are those
// the dialog's list offers, sorted as it shows them.
constexpr char GARMIN_NAME[] = "Garmin";
constexpr char MAGELLAN_NAME[] = "Magellan";
constexpr const char* GPS_MAKER_NAMES[] = {GARMIN_NAME, MAGELLAN_NAME};
constexpr char LOG_UNKNOWN_MAKER[] = "UNKNOWN GPS MFG";
// The version text of every maker ends with the receiver's product number,
// after this and before a closing ")".
constexpr char VERSION_PRODUCT_ID[] = "(Product ID=";

// The battery types the dialog's drop-down list offers, sorted as it shows
// them; the operator cannot type another.
constexpr const char* BATTERY_TYPES[] = {"Alkaline", "Heavy duty", "Li-ion",
                                         "Ni-Cd",    "Ni-MH",      "Regular"};

// The start and last-response times: local time as ctime() words it, but
// with the day of the month always in two digits and the English names in
// every locale. Each letter of the layout stands for one character of a
// part (w the day's name, M the month's, d the day of the month, h, m and s
// the clock, y the year); every other character stands for itself.
constexpr char LOG_TIME_LAYOUT[] = "www MMM dd hh:mm:ss yyyy";
constexpr int LOG_TIME_WIDTH = sizeof LOG_TIME_LAYOUT - 1;
constexpr const char* DAY_NAMES[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* MONTH_NAMES[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Where the part of a time that `letter` stands for begins in the layout.
constexpr int logTimePart(char letter)
{
    int i = 0;
    while (LOG_TIME_LAYOUT[i] != letter)
        ++i;
    return i;
}

// The time of `local` as the layout shows it, in buf of LOG_TIME_WIDTH + 1
// bytes. Without a time (the system could not convert it) the text is
// LOG_TIME_WIDTH blanks, so that a line always has its shape.
void formatLogTime(const std::tm* local, char* buf);

// Separates the hours, minutes and seconds of an endurance.
constexpr char ENDURANCE_SEPARATOR = ':';

// Hours, minutes and seconds of a whole number of seconds as "%02d:%02d:%02d".
// Hours are not wrapped at 24; a negative count gives negative fields, as
// truncating division does (-5 gives "00:00:-5"). buf must hold 20 bytes.
void formatEndurance(int seconds, char* buf, int size);

#pragma once

// Appends one line per unit that finished in the run just ended to
// "BATTERY.TXT" in the current directory, in port order:
//   COMn, <maker> <version>, <battery maker>, <type>, <mAh>, <start>,
//   <last response>, <endurance>, <comments>
// A file that cannot be opened or written is passed over silently. Always 1.
int WriteResults();

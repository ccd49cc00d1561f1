#pragma once

// Turns the first verified version reply of a run into the unit's one-line
// szVersion. Once the text is set it stays for the rest of the run. For a
// Garmin unit the argument is a verified Product Data packet with its link
// escapes removed; for a Magellan unit it is the reply cut at its "*"; any
// other maker gets an empty text. Always 1.
int StoreVersionText(int unit, const char* reply);

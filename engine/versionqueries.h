#pragma once

// Sets each ticked unit's maker from the text selected in its GPS-maker list
// and builds its version query in that maker's protocol. A text that begins
// with "Magellan" or "Garmin" (any case, longer texts too) chooses the
// maker; any other text keeps the maker the unit had and leaves the query
// empty. Clears the version text of every ticked unit. Always 1.
int BuildVersionQueries();

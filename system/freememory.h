#pragma once

// Hands the memory that the program has freed back to the system, where the
// allocator keeps it for reuse otherwise: a test runs for hours, and what
// start-up and the boxes before it used need not stay with the program all
// that time. The platform's part is in freememory_<allocator>.cpp.
void releaseFreedMemory();

#pragma once

// Counts heap allocations of the whole process while switched on: every
// operator new, and on glibc every malloc, calloc and realloc as well (Qt's
// containers allocate through malloc).
namespace AllocationCounter {
void start();
void stop();
long count();
// Whether malloc and friends are counted too, not only operator new.
bool countsMalloc();
// Counts one allocation if counting is on.
void note();
} // namespace AllocationCounter

#pragma once

// Counts heap allocations of the whole process while switched on: every
// operator new, and on glibc every malloc, calloc and realloc as well (Qt's
// containers allocate through malloc).
namespace AllocationCounter {
void Start();
void Stop();
long Count();
// Whether malloc and friends are counted too, not only operator new.
bool CountsMalloc();
// Counts one allocation if counting is on and the filter, if any, does
// not call it one to leave out. The filter must not allocate.
void Note();
void SetFilter(bool (*leftOut)());
} // namespace AllocationCounter

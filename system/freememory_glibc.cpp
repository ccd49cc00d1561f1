#include "freememory.h"

#include <malloc.h>

void releaseFreedMemory()
{
    // Not only the top of the heap: every free page inside it too.
    malloc_trim(0);
}

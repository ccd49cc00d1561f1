#include "allocationcounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long> g_count{0};

} // namespace

namespace AllocationCounter {
void start()
{
    g_counting = true;
}
void stop()
{
    g_counting = false;
}
long count()
{
    return g_count.load();
}
void note()
{
    if (g_counting.load(std::memory_order_relaxed))
        g_count.fetch_add(1, std::memory_order_relaxed);
}
} // namespace AllocationCounter

#ifdef DUNMERROW_COUNT_MALLOC
// glibc lets a program replace malloc and reach the original through these.
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);

extern "C" void* malloc(std::size_t size)
{
    AllocationCounter::note();
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size)
{
    AllocationCounter::note();
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* p, std::size_t size)
{
    AllocationCounter::note();
    return __libc_realloc(p, size);
}

bool AllocationCounter::countsMalloc()
{
    return true;
}
#else
bool AllocationCounter::countsMalloc()
{
    return false;
}
#endif

namespace {

void* allocate(std::size_t size)
{
    AllocationCounter::note();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

#include "AllocationTracker.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> tracking{false};
std::atomic<std::size_t> largest{0};

void* Allocate(std::size_t size) {
    if (tracking.load(std::memory_order_relaxed)) {
        std::size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
    }
    return std::malloc(size ? size : 1);
}

} // namespace

namespace GralithTest {

AllocationTracker::AllocationTracker() {
    largest = 0;
    tracking = true;
}

AllocationTracker::~AllocationTracker() { tracking = false; }

std::size_t AllocationTracker::Largest() const { return largest; }

} // namespace GralithTest

void* operator new(std::size_t size) {
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

#pragma once

#include <cstddef>

namespace GralithTest {

/// Watches the sizes passed to operator new (the test program replaces the global allocation
/// functions): lets a test prove that a loader never asked for a huge block.
class AllocationTracker {
public:
    AllocationTracker();
    ~AllocationTracker();
    AllocationTracker(const AllocationTracker&) = delete;
    AllocationTracker& operator=(const AllocationTracker&) = delete;
    /// The largest single request since construction.
    std::size_t Largest() const;
};

} // namespace GralithTest

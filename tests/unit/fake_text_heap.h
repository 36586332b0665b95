#pragma once
// A heap for owned texts in native tests: counts blocks and can refuse.
#include <cstddef>
#include <vector>

struct HeapRefused {
    std::size_t size;
};

struct FakeTextHeap {
    std::vector<std::size_t> allocation_sizes;
    std::size_t live_blocks = 0;
    bool refuse = false;  // the next allocation throws HeapRefused
};

extern FakeTextHeap fake_text_heap;

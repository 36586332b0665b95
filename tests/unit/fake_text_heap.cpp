#include "tests/unit/fake_text_heap.h"

#include <cstdlib>

#include "shortcut/text.h"

FakeTextHeap fake_text_heap;

char* allocate_text_block(std::size_t size) {
    if (fake_text_heap.refuse) throw HeapRefused{size};
    fake_text_heap.allocation_sizes.push_back(size);
    ++fake_text_heap.live_blocks;
    // Filled with junk, as the process heap gives no zeroed blocks either.
    auto* block = static_cast<char*>(std::malloc(size));
    for (std::size_t i = 0; i < size; ++i) block[i] = '#';
    return block;
}

void free_text_block(char* block) {
    --fake_text_heap.live_blocks;
    std::free(block);
}

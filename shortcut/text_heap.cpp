// Owned texts live on the process heap.
#include "app/app_state.h"
#include "app/test_seams.h"
#include "shortcut/text.h"

char* allocate_text_block(std::size_t size) {
    void* block = seams::fail("heap") ? nullptr : HeapAlloc(app_state.process_heap, 0, size);
    if (block == nullptr) {
        char message[allocation_message_capacity];
        format_allocation_failure(size, message);
        fatal_error(message);
    }
    return static_cast<char*>(block);
}

void free_text_block(char* block) { HeapFree(app_state.process_heap, 0, block); }

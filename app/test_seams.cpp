#include "app/test_seams.h"

#include <windows.h>

#include "app/notice_label.h"

#include <cstdio>
#include <cstring>

namespace seams {

bool fail(const char* what) {
    char list[256] = {};
    const DWORD length = GetEnvironmentVariableA("VRK_TEST_FAIL", list, sizeof list);
    if (length == 0 || length >= sizeof list) return false;
    const std::size_t wanted = std::strlen(what);
    for (const char* item = list; *item != '\0';) {
        const char* end = std::strchr(item, ',');
        const std::size_t size = end ? static_cast<std::size_t>(end - item) : std::strlen(item);
        if (size == wanted && std::strncmp(item, what, size) == 0) return true;
        if (end == nullptr) break;
        item = end + 1;
    }
    return false;
}

void trace(const char* event, const char* detail) {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("VRK_TEST_TRACE", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    const HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, event, static_cast<DWORD>(std::strlen(event)), &written, nullptr);
    if (detail != nullptr) {
        WriteFile(file, " ", 1, &written, nullptr);
        WriteFile(file, detail, static_cast<DWORD>(std::strlen(detail)), &written, nullptr);
    }
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

void trace_heap(const char* event) {
    const HANDLE heap = GetProcessHeap();
    unsigned long long blocks = 0, bytes = 0;
    if (HeapLock(heap)) {
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                ++blocks;
                bytes += entry.cbData;
            }
        HeapUnlock(heap);
    }
    char detail[64];
    std::snprintf(detail, sizeof detail, "blocks=%llu bytes=%llu", blocks, bytes);
    trace(event, detail);
}

void notify_label_while_loading(HWND label) {
    const LRESULT answer = SendMessageA(label, label_notify_message, 1, 2);
    trace("notify_while_loading", answer == 0 ? "0" : "not 0");
}

void trace_working_directory() {
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    trace("working_directory", directory);
}

}  // namespace seams

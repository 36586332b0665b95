#include "shortcut/ansi_path.h"

bool gbk_lead_byte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

namespace {
// Walks the characters of `path` and returns the start of the last one, or null when empty.
const char* last_character(const char* path, LeadBytePredicate is_lead, const char** last_backslash) {
    const char* last = nullptr;
    *last_backslash = nullptr;
    const char* p = path;
    while (*p != '\0') {
        last = p;
        if (is_lead(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            p += 2;
            continue;
        }
        if (*p == '\\') *last_backslash = p;
        ++p;
    }
    return last;
}
}  // namespace

const char* find_last_backslash(const char* path, LeadBytePredicate is_lead) {
    const char* backslash = nullptr;
    last_character(path, is_lead, &backslash);
    return backslash;
}

bool ends_with_backslash(const char* path, LeadBytePredicate is_lead) {
    const char* backslash = nullptr;
    const char* last = last_character(path, is_lead, &backslash);
    return last != nullptr && last == backslash;
}

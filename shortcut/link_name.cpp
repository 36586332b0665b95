#include "shortcut/link_name.h"

#include <cstring>

const char* link_file_name(const char* name, char (&buffer)[path_capacity]) {
    // In code page 936 the byte 0x2E never occurs inside a double-byte character.
    if (std::strchr(name, '.') != nullptr) return name;
    static constexpr char extension[] = ".lnk";
    const std::size_t length = std::strlen(name);
    if (length + sizeof(extension) > path_capacity) return nullptr;
    std::memcpy(buffer, name, length);
    std::memcpy(buffer + length, extension, sizeof(extension));
    return buffer;
}

bool needs_trailing_backslash(const char* folder, LeadBytePredicate is_lead) {
    return folder[0] != '\0' && !ends_with_backslash(folder, is_lead);
}

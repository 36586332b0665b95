#pragma once
// Paths as byte strings in a double-byte ANSI code page: a 0x5C that is the
// second byte of a double-byte character is part of that character, not a separator.
#include <cstddef>

constexpr std::size_t path_capacity = 260;  // MAX_PATH, with its NUL

using LeadBytePredicate = bool (*)(unsigned char byte);

// Lead bytes of code page 936, for callers that have no system to ask.
bool gbk_lead_byte(unsigned char byte);

// The last real backslash of `path`, or null.
const char* find_last_backslash(const char* path, LeadBytePredicate is_lead);

// Whether the last character of `path` is a real backslash.
bool ends_with_backslash(const char* path, LeadBytePredicate is_lead);

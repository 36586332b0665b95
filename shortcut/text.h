#pragma once
// Byte strings in the system's ANSI code page, as the shortcut action handles them.
//
// A Text is null (read as the empty text), one of the constant texts below
// (never freed), or an owned heap block that its receiver releases exactly once.
#include <cstddef>
#include <cstdint>

using Text = const char*;

// The program's literal texts, stored back to back in one read-only block.
extern const Text shortcut_file_name;   // "Zarvello播放器.lnk"
extern const Text player_path_tail;     // "\vrk\VRK6.exe"
extern const Text shortcut_description;
extern const Text empty_text;           // the last byte of the block

bool is_constant_text(Text text);

std::uint32_t text_byte_length(Text text);

// A new owned block holding the texts one after another; never null.
// `lengths` is scratch space for one measurement of each text.
Text join_text_array(std::size_t count, const Text* texts, std::uint32_t* lengths);

template <std::size_t count>
Text join_texts(const Text (&texts)[count]) {
    std::uint32_t lengths[count];
    return join_text_array(count, texts, lengths);
}

void release_text(Text text);

// Null becomes the empty constant, so platform calls never see null.
Text text_for_platform(Text text);

// Heap access behind owned texts.  The program backs these with the process
// heap; allocate_text_block never returns null (a refusal ends the process).
char* allocate_text_block(std::size_t size);
void free_text_block(char* block);

// "分配 N 字节内存失败!" with N as an unsigned decimal; always NUL-terminated.
constexpr std::size_t allocation_message_capacity = 64;
void format_allocation_failure(std::size_t size, char (&message)[allocation_message_capacity]);

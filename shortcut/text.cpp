#include "shortcut/text.h"

#include <cstring>
#include <cstdint>
#include <functional>

// Code page 936 bytes, spelled out so the source file's own encoding cannot alter them.
#define FILE_NAME_LITERAL "Zarvello\xb2\xa5\xb7\xc5\xc6\xf7.lnk"  // Zarvello播放器.lnk
#define PATH_TAIL_LITERAL "\\vrk\\VRK6.exe"
// 原作者公司Ostrel公司，该软件用于测试，24小时后删除，如有侵权请提示删除，本人不负任何责任。
#define DESCRIPTION_LITERAL                                                                 \
    "\xd4\xad\xd7\xf7\xd5\xdf\xb9\xab\xcb\xbeOstrel\xb9\xab\xcb\xbe\xa3\xac\xb8\xc3\xc8\xed" \
    "\xbc\xfe\xd3\xc3\xd3\xda\xb2\xe2\xca\xd4\xa3\xac"                                      \
    "24\xd0\xa1\xca\xb1\xba\xf3\xc9\xbe\xb3\xfd\xa3\xac\xc8\xe7\xd3\xd0\xc7\xd6\xc8\xa8"     \
    "\xc7\xeb\xcc\xe1\xca\xbe\xc9\xbe\xb3\xfd\xa3\xac\xb1\xbe\xc8\xcb\xb2\xbb\xb8\xba\xc8\xce" \
    "\xba\xce\xd4\xf0\xc8\xce\xa1\xa3"

namespace {
// The literal's own terminating NUL is the empty text.
constexpr char constant_block[] =
    FILE_NAME_LITERAL "\0" PATH_TAIL_LITERAL "\0" DESCRIPTION_LITERAL "\0";
}  // namespace

const Text shortcut_file_name = constant_block;
const Text player_path_tail = constant_block + sizeof(FILE_NAME_LITERAL);
const Text shortcut_description =
    constant_block + sizeof(FILE_NAME_LITERAL) + sizeof(PATH_TAIL_LITERAL);
const Text empty_text = constant_block + sizeof(constant_block) - 1;

bool is_constant_text(Text text) {
    // std::less gives a total order even for pointers into unrelated objects.
    const std::less<const char*> before;
    return text != nullptr && !before(text, constant_block) &&
           before(text, constant_block + sizeof(constant_block));
}

std::uint32_t text_byte_length(Text text) {
    return text == nullptr ? 0 : static_cast<std::uint32_t>(std::strlen(text));
}

Text join_text_array(std::size_t count, const Text* texts, std::uint32_t* lengths) {
    std::size_t size = 1;
    for (std::size_t i = 0; i < count; ++i) {
        lengths[i] = text_byte_length(texts[i]);
        // A sum that would wrap asks for an impossible block, which ends in the heap refusal.
        size = size > SIZE_MAX - lengths[i] ? SIZE_MAX : size + lengths[i];
    }
    char* const block = allocate_text_block(size);
    char* end = block;
    for (std::size_t i = 0; i < count; ++i) {
        if (lengths[i] != 0) std::memcpy(end, texts[i], lengths[i]);
        end += lengths[i];
    }
    *end = '\0';
    return block;
}

void release_text(Text text) {
    if (text == nullptr || is_constant_text(text)) return;
    free_text_block(const_cast<char*>(text));
}

Text text_for_platform(Text text) { return text == nullptr ? empty_text : text; }

void format_allocation_failure(std::size_t size, char (&message)[allocation_message_capacity]) {
    static constexpr char head[] = "\xb7\xd6\xc5\xe4 ";                                // 分配
    static constexpr char tail[] = " \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!";  // 字节内存失败!
    char digits[24];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + size % 10);
        size /= 10;
    } while (size != 0);
    char* out = message;
    std::memcpy(out, head, sizeof(head) - 1);
    out += sizeof(head) - 1;
    while (count != 0) *out++ = digits[--count];
    std::memcpy(out, tail, sizeof(tail));
}

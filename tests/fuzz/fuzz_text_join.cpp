// Fuzzes text joins: the input is split at 0xFF bytes into up to four texts
// (an empty piece stands for null), joined, and checked against a plain concatenation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "shortcut/text.h"

namespace {
std::size_t live_blocks = 0;
std::size_t last_size = 0;

void require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

char* allocate_text_block(std::size_t size) {
    ++live_blocks;
    last_size = size;
    return static_cast<char*>(std::malloc(size));
}

void free_text_block(char* block) {
    --live_blocks;
    std::free(block);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < size && pieces.size() <= 4; ++i) {
        if (data[i] == 0xFF) {
            pieces.emplace_back();
        } else if (data[i] != 0) {
            pieces.back() += static_cast<char>(data[i]);
        }
    }
    while (pieces.size() < 4) pieces.emplace_back();
    Text texts[4];
    std::string expected;
    for (int i = 0; i < 4; ++i) {
        texts[i] = pieces[i].empty() && (i % 2 == 0) ? nullptr : pieces[i].c_str();
        expected += pieces[i];
    }
    const Text joined = join_texts(texts);
    require(joined != nullptr && !is_constant_text(joined));
    require(last_size == expected.size() + 1 && std::strlen(joined) == expected.size() && expected == joined);
    const Text pair = join_texts({texts[0], player_path_tail});
    require(std::string(pair) == pieces[0] + "\\vrk\\VRK6.exe");
    release_text(joined);
    release_text(pair);
    release_text(shortcut_file_name);
    release_text(nullptr);
    require(live_blocks == 0);
    return 0;
}

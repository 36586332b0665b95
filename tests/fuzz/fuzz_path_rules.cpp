// Fuzzes the code-page-936 path rules: the program folder cut, the start
// directory, the desktop backslash rule and the link name rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/program_folder.h"
#include "shortcut/ansi_path.h"
#include "shortcut/link_name.h"

namespace {
void require(bool condition) {
    if (!condition) std::abort();
}

// Whether `offset` starts a character when `path` is read from its beginning.
bool starts_character(const std::string& path, std::size_t offset) {
    std::size_t at = 0;
    while (at < offset) at += gbk_lead_byte(static_cast<unsigned char>(path[at])) && at + 1 < path.size() ? 2 : 1;
    return at == offset;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));

    const char* backslash = find_last_backslash(path.c_str(), gbk_lead_byte);
    if (backslash != nullptr) {
        const std::size_t at = static_cast<std::size_t>(backslash - path.c_str());
        require(at < path.size() && path[at] == '\\' && starts_character(path, at));
        for (std::size_t later = at + 1; later < path.size(); ++later)
            require(path[later] != '\\' || !starts_character(path, later));
    }

    const bool ends = ends_with_backslash(path.c_str(), gbk_lead_byte);
    require(!ends || (!path.empty() && path.back() == '\\'));
    require(needs_trailing_backslash(path.c_str(), gbk_lead_byte) == (!path.empty() && !ends));

    char folder[path_capacity];
    cut_program_folder(path.c_str(), gbk_lead_byte, folder);
    const std::size_t folder_length = std::strlen(folder);
    require(folder_length < path_capacity && path.compare(0, folder_length, folder) == 0);

    char directory[path_capacity];
    if (start_directory_for(folder, true, directory)) {
        const std::size_t length = std::strlen(directory);
        require(length < path_capacity && length >= folder_length);
    }

    char buffer[path_capacity];
    const char* name = link_file_name(path.c_str(), buffer);
    if (path.find('.') != std::string::npos) {
        require(name == path.c_str());
    } else if (name != nullptr) {
        require(name == buffer && std::strlen(buffer) == path.size() + 4 && std::strlen(buffer) < path_capacity);
        require(std::string(buffer) == path + ".lnk");
    } else {
        require(path.size() + 5 > path_capacity);
    }
    return 0;
}

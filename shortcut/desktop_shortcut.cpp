#include "shortcut/desktop_shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "app/app_state.h"
#include "app/test_seams.h"
#include "shortcut/link_name.h"

void make_desktop_shortcut() {
    const Text desktop = desktop_folder_path();
    const Text link_name = join_texts({desktop, shortcut_file_name});
    release_text(desktop);
    const Text directory = working_directory_text();
    const Text target = join_texts({directory, player_path_tail});
    release_text(directory);
    write_shell_link(text_for_platform(link_name), text_for_platform(target), shortcut_description,
                     std::nullopt, std::nullopt);
    release_text(link_name);
    release_text(target);
}

namespace {

// shell32 is needed only when the button is clicked, so it is loaded then rather
// than at start-up; by its full path in the system folder, never from beside the program.
class SystemLibrary {
public:
    explicit SystemLibrary(const char* name) {
        char path[path_capacity];
        const UINT length = GetSystemDirectoryA(path, path_capacity);
        if (length == 0 || length + 1 + std::strlen(name) >= path_capacity) return;
        path[length] = '\\';
        std::memcpy(path + length + 1, name, std::strlen(name) + 1);
        module_ = LoadLibraryA(path);
    }
    ~SystemLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;
    FARPROC find(const char* function) const {
        return module_ == nullptr ? nullptr : GetProcAddress(module_, function);
    }

private:
    HMODULE module_ = nullptr;
};

bool special_folder_path(char* path, int folder) {
    using Lookup = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
    const SystemLibrary shell("shell32.dll");
    // Through void (*)() so the compiler accepts the change of signature.
    const auto lookup = reinterpret_cast<Lookup>(reinterpret_cast<void (*)()>(shell.find("SHGetSpecialFolderPathA")));
    return lookup != nullptr && lookup(nullptr, path, folder, FALSE);
}

}  // namespace

Text desktop_folder_path() {
    // Room for the platform's longest answer plus the backslash added below.
    char path[path_capacity + 1] = {};
    if (seams::fail("desktop") || !special_folder_path(path, CSIDL_DESKTOPDIRECTORY)) return nullptr;
    path[path_capacity - 1] = '\0';
    if (path[0] == '\0') return nullptr;
    if (needs_trailing_backslash(path, system_lead_byte)) {
        const std::uint32_t length = text_byte_length(path);
        path[length] = '\\';
        path[length + 1] = '\0';
    }
    return join_texts({path});
}

Text working_directory_text() {
    char directory[path_capacity] = {};
    const DWORD length = seams::fail("cwd") ? 0 : GetCurrentDirectoryA(path_capacity, directory);
    // A directory that does not fit is reported by a length past the buffer.
    if (length == 0 || length >= path_capacity) return nullptr;
    return join_texts({directory});
}

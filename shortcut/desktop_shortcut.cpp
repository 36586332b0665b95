#include "shortcut/desktop_shortcut.h"

#include <windows.h>
#include <shlobj.h>

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

Text desktop_folder_path() {
    // Room for the platform's longest answer plus the backslash added below.
    char path[path_capacity + 1] = {};
    if (seams::fail("desktop") ||
        !SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE))
        return nullptr;
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

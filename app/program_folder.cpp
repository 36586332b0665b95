#include "app/program_folder.h"

#include <cstring>

void cut_program_folder(const char* module_path, LeadBytePredicate is_lead,
                        char (&folder)[path_capacity]) {
    const char* backslash = find_last_backslash(module_path, is_lead);
    std::size_t length = backslash == nullptr ? 0 : static_cast<std::size_t>(backslash - module_path);
    if (length >= path_capacity) length = 0;
    std::memcpy(folder, module_path, length);
    folder[length] = '\0';
}

bool start_directory_for(const char* folder, bool module_path_complete,
                         char (&directory)[path_capacity]) {
    const std::size_t length = std::strlen(folder);
    if (!module_path_complete || length == 0) return false;
    const bool bare_drive = length == 2 && folder[1] == ':';
    if (length + (bare_drive ? 2 : 1) > path_capacity) return false;
    std::memcpy(directory, folder, length + 1);
    if (bare_drive) {
        directory[2] = '\\';
        directory[3] = '\0';
    }
    return true;
}

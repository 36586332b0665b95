#pragma once
// The program's one action: a shell link to the player on the user's desktop.
#include <optional>

#include "shortcut/text.h"

// Writes "Zarvello播放器.lnk" to the desktop, pointing at vrk\VRK6.exe under the
// working directory.  Reports nothing, whatever happens.
void make_desktop_shortcut();

// The desktop folder with a trailing backslash, as a new owned text; null when
// the platform cannot give it.
Text desktop_folder_path();

// The working directory as the platform gives it, as a new owned text; null
// when it cannot be had or does not fit in MAX_PATH.
Text working_directory_text();

// Saves a shell link under `link_name` (".lnk" added when it has no full stop).
// True only when the file was saved.
bool write_shell_link(Text link_name, Text target, std::optional<Text> description,
                      std::optional<Text> arguments, std::optional<Text> working_directory);

#pragma once
// Naming rules for the link file and the desktop folder it goes into.
#include "shortcut/ansi_path.h"

// The name to save under: `name` itself when it holds a full stop anywhere,
// otherwise `buffer` holding `name` + ".lnk"; null when that would not fit.
const char* link_file_name(const char* name, char (&buffer)[path_capacity]);

// A folder path that is not empty and does not end in a backslash needs one
// before a file name can follow it.
bool needs_trailing_backslash(const char* folder, LeadBytePredicate is_lead);

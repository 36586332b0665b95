#pragma once
// Where the program lives, worked out from its module path.
#include "shortcut/ansi_path.h"

// The module path up to (not including) its last real backslash; empty when
// it has none.
void cut_program_folder(const char* module_path, LeadBytePredicate is_lead,
                        char (&folder)[path_capacity]);

// The directory to make current for `folder`, or false to keep the inherited
// one.  A cut module path names some other folder and an empty folder names
// none, so both give false; a bare
// drive ("D:") means that drive's remembered directory, so its root is used.
bool start_directory_for(const char* folder, bool module_path_complete,
                         char (&directory)[path_capacity]);

#pragma once
// The one process-wide state record of the shell, and the operations on it.
#include <windows.h>

#include <cstdint>

#include "shortcut/ansi_path.h"

using Routine = void (*)();

struct AppState {
    HANDLE process_heap = nullptr;
    bool ole_initialised = false;
    char program_folder[path_capacity] = {};
    // While above 0 no event handler runs.
    std::int32_t event_block_count = 0;
    bool loop_entered = false;
    Routine exit_routines[8] = {};
    int exit_routine_count = 0;
    HICON default_big_icon = nullptr;
    HICON default_small_icon = nullptr;
    HWND program_windows[4] = {};
    int program_window_count = 0;
};

extern AppState app_state;

void prepare_process();
void register_exit_routine(Routine routine);

bool events_allowed();
void hold_events();
void release_events();

void add_program_window(HWND window);
bool any_program_window_left();
void on_program_window_destroyed(HWND window);

struct ProgramIcons {
    HICON big_icon;
    HICON small_icon;
};
ProgramIcons default_program_icons();

void shut_down();
[[noreturn]] void fatal_error(const char* message);

// The code page the platform reads the program's texts in.
bool system_lead_byte(unsigned char byte);

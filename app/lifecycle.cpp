// Preparing the process, shutting it down, and the fatal way out.
#include "app/app_state.h"
#include "app/program_folder.h"
#include "app/test_seams.h"

#include <ole2.h>

void prepare_process() {
    app_state.process_heap = GetProcessHeap();
    if (!app_state.ole_initialised) {
        OleInitialize(nullptr);
        app_state.ole_initialised = true;
    }
    char module_path[path_capacity] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module_path, path_capacity);
    // A path that filled the buffer was cut short and names some other folder.
    const bool complete = length != 0 && length < path_capacity;
    module_path[path_capacity - 1] = '\0';
    cut_program_folder(module_path, system_lead_byte, app_state.program_folder);
    char directory[path_capacity];
    if (start_directory_for(app_state.program_folder, complete, directory))
        SetCurrentDirectoryA(directory);
}

void register_exit_routine(Routine routine) {
    const int capacity = static_cast<int>(sizeof app_state.exit_routines / sizeof(Routine));
    for (int i = 0; i < app_state.exit_routine_count; ++i)
        if (app_state.exit_routines[i] == routine) return;
    if (app_state.exit_routine_count < capacity)
        app_state.exit_routines[app_state.exit_routine_count++] = routine;
}

void shut_down() {
    hold_events();
    // Routines registered while these run are not called.
    const int count = app_state.exit_routine_count;
    for (int i = 0; i < count; ++i) app_state.exit_routines[i]();
    app_state.exit_routine_count = 0;
    if (app_state.default_big_icon != nullptr) DestroyIcon(app_state.default_big_icon);
    if (app_state.default_small_icon != nullptr) DestroyIcon(app_state.default_small_icon);
    app_state.default_big_icon = nullptr;
    app_state.default_small_icon = nullptr;
    if (app_state.ole_initialised) {
        OleUninitialize();
        seams::trace("ole_uninitialize");
        app_state.ole_initialised = false;
    }
}

void fatal_error(const char* message) {
    hold_events();
    MessageBoxA(nullptr, message, "\xb4\xed\xce\xf3" /* 错误 */, MB_ICONERROR);
    app_state.exit_routine_count = 0;
    shut_down();
    ExitProcess(static_cast<UINT>(-1));
}

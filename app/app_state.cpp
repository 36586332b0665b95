#include "app/app_state.h"

AppState app_state;

bool events_allowed() { return app_state.event_block_count <= 0; }

void hold_events() { ++app_state.event_block_count; }

void release_events() {
    if (app_state.event_block_count > 0) --app_state.event_block_count;
}

void add_program_window(HWND window) {
    const int capacity = static_cast<int>(sizeof app_state.program_windows / sizeof(HWND));
    if (app_state.program_window_count < capacity)
        app_state.program_windows[app_state.program_window_count++] = window;
}

bool any_program_window_left() {
    for (int i = 0; i < app_state.program_window_count; ++i)
        if (IsWindow(app_state.program_windows[i])) return true;
    return false;
}

void on_program_window_destroyed(HWND window) {
    int kept = 0;
    for (int i = 0; i < app_state.program_window_count; ++i)
        if (app_state.program_windows[i] != window)
            app_state.program_windows[kept++] = app_state.program_windows[i];
    app_state.program_window_count = kept;
    if (!any_program_window_left() && app_state.loop_entered) PostQuitMessage(0);
}

ProgramIcons default_program_icons() {
    if (app_state.default_big_icon == nullptr) {
        const HINSTANCE self = GetModuleHandleA(nullptr);
        app_state.default_big_icon =
            static_cast<HICON>(LoadImageA(self, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
        app_state.default_small_icon =
            static_cast<HICON>(LoadImageA(self, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
    }
    return ProgramIcons{app_state.default_big_icon, app_state.default_small_icon};
}

bool system_lead_byte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

#include "app/message_loop.h"

#include "app/app_state.h"
#include "app/main_window.h"

namespace {

bool is_program_window(HWND window) {
    for (int i = 0; i < app_state.program_window_count; ++i)
        if (app_state.program_windows[i] == window) return true;
    return false;
}

// Offers the message to its target and then each parent up to the top-level window.
bool pre_translate(const MSG& message) {
    for (HWND window = message.hwnd; window != nullptr; window = GetParent(window)) {
        if (is_program_window(window) && main_window_pre_translate(window, message)) return true;
        if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return false;
}

void handle(MSG& message) {
    if (message.hwnd != nullptr && pre_translate(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool message_waiting(MSG& message) {
    return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

// Idle passes: at most three in a row, each offering every program window the
// time elapsed since the queue emptied; stops early once none wants another.
void run_idle_passes(DWORD queue_empty_since) {
    MSG message;
    for (int pass = 0; pass < 3 && !message_waiting(message); ++pass) {
        const DWORD elapsed = GetTickCount() - queue_empty_since;
        bool more = false;
        for (int i = 0; i < app_state.program_window_count; ++i)
            more = main_window_idle(app_state.program_windows[i], elapsed) || more;
        if (!more) break;
    }
}

}  // namespace

void pump_waiting_messages() {
    MSG message;
    while (message_waiting(message) && message.message != WM_QUIT) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
        handle(message);
    }
}

void run_message_loop() {
    app_state.loop_entered = true;
    if (!any_program_window_left()) return;
    bool idle_allowed = true;
    MSG previous = {};
    for (;;) {
        MSG message;
        if (idle_allowed && !message_waiting(message)) {
            run_idle_passes(GetTickCount());
            idle_allowed = false;
        }
        do {
            // A failure (-1) cannot happen with these arguments; treat it as the end.
            if (GetMessageA(&message, nullptr, 0, 0) <= 0) return;
            handle(message);
            const bool repeated_move = message.message == WM_MOUSEMOVE &&
                                       previous.message == WM_MOUSEMOVE &&
                                       message.hwnd == previous.hwnd &&
                                       message.lParam == previous.lParam;
            if (!repeated_move && message.message != WM_PAINT) idle_allowed = true;
            previous = message;
        } while (message_waiting(message));
    }
}

#pragma once
// The program's one top-level window and its keyboard, focus and command handling.
#include <windows.h>

// Creates the window and its controls, raises creation complete and shows it.
// Does not return when the window or a control cannot be created.
void load_main_window();

// Keyboard handling before dispatch; true when the window consumed the message.
bool main_window_pre_translate(HWND window, const MSG& message);

// Offered while the queue is empty; true when the window wants another pass.
bool main_window_idle(HWND window, DWORD elapsed_ms);

#pragma once
// 按钮1: the large button that makes the desktop shortcut.
#include <windows.h>

// Creates the button hidden; null on failure.
HWND create_shortcut_button(HWND parent, int identifier);

// A notification the main window passed back; BN_CLICKED raises the click.
void on_shortcut_button_notify(WORD code);

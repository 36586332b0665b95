#pragma once
// Decisions of the main window that need no window: placement, the keyboard
// table, tab order and the sorting of WM_COMMAND.

struct Point {
    int x;
    int y;
};

// Top-left corner that centres a window of the given outer size on the screen.
// Not clamped: a screen smaller than the window gives a negative position.
Point centred_origin(int screen_width, int screen_height, int width, int height);

struct KeyStroke {
    unsigned virtual_key;
    bool ctrl;
    bool shift;
    bool alt;
};

enum class KeyAction {
    pass_on,               // let the focused control have it
    close_window,          // Esc
    click_default_button,  // Enter
    focus_next,            // Tab
    focus_previous,        // Shift+Tab
    mnemonic,              // Alt+letter or Alt+digit
};

KeyAction key_action(const KeyStroke& key);

struct TabControl {
    bool visible;
    bool enabled;
    bool tab_stop;
    int tab_index;
};

// Index of the control that takes the focus first: the lowest tab index among
// visible, enabled tab stops, ties going to the control later in the list; -1 if none.
int first_tab_stop(const TabControl* controls, int count);

// Index of the control that Tab (forward) or Shift+Tab moves to from `current`,
// wrapping around; -1 if there is no tab stop at all.
int next_tab_stop(const TabControl* controls, int count, int current, bool forward);

// Whether `text` holds "&" followed by `key` in either case.
bool text_has_mnemonic(const char* text, unsigned key);

enum class CommandRoute {
    consumed,              // identifiers from 57600 up
    menu_command,          // 20000 up to 57599
    control_notification,  // below 20000: back to the control in lParam
};

CommandRoute route_command(unsigned identifier);

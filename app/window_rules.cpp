#include "app/window_rules.h"

namespace {
constexpr unsigned vk_tab = 0x09;
constexpr unsigned vk_return = 0x0D;
constexpr unsigned vk_escape = 0x1B;
constexpr int most_controls = 16;

bool can_take_focus(const TabControl& control) {
    return control.visible && control.enabled && control.tab_stop;
}

// Focus order: ascending tab index, and among equal indices the later control first.
bool comes_before(const TabControl* controls, int a, int b) {
    if (controls[a].tab_index != controls[b].tab_index)
        return controls[a].tab_index < controls[b].tab_index;
    return a > b;
}

int tab_sequence(const TabControl* controls, int count, int (&sequence)[most_controls]) {
    int length = 0;
    for (int i = 0; i < count && i < most_controls; ++i) {
        if (!can_take_focus(controls[i])) continue;
        int at = length++;
        while (at > 0 && comes_before(controls, i, sequence[at - 1])) {
            sequence[at] = sequence[at - 1];
            --at;
        }
        sequence[at] = i;
    }
    return length;
}
}  // namespace

Point centred_origin(int screen_width, int screen_height, int width, int height) {
    // Integer division truncates toward zero, as the placement rule requires.
    return Point{(screen_width - width) / 2, (screen_height - height) / 2};
}

KeyAction key_action(const KeyStroke& key) {
    const bool plain = !key.ctrl && !key.shift && !key.alt;
    switch (key.virtual_key) {
        case vk_escape: return plain ? KeyAction::close_window : KeyAction::pass_on;
        case vk_return: return plain ? KeyAction::click_default_button : KeyAction::pass_on;
        case vk_tab:
            if (plain) return KeyAction::focus_next;
            if (key.shift && !key.ctrl && !key.alt) return KeyAction::focus_previous;
            return KeyAction::pass_on;
        default: break;
    }
    const bool letter_or_digit = (key.virtual_key >= '0' && key.virtual_key <= '9') ||
                                 (key.virtual_key >= 'A' && key.virtual_key <= 'Z');
    if (letter_or_digit && key.alt && !key.ctrl && !key.shift) return KeyAction::mnemonic;
    return KeyAction::pass_on;
}

int first_tab_stop(const TabControl* controls, int count) {
    int sequence[most_controls];
    return tab_sequence(controls, count, sequence) == 0 ? -1 : sequence[0];
}

int next_tab_stop(const TabControl* controls, int count, int current, bool forward) {
    int sequence[most_controls];
    const int length = tab_sequence(controls, count, sequence);
    if (length == 0) return -1;
    int position = -1;
    for (int i = 0; i < length; ++i)
        if (sequence[i] == current) position = i;
    if (position < 0) return forward ? sequence[0] : sequence[length - 1];
    return sequence[(position + (forward ? 1 : length - 1)) % length];
}

bool text_has_mnemonic(const char* text, unsigned key) {
    const auto upper = [](unsigned c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    for (const char* p = text; p[0] != '\0'; ++p) {
        if (p[0] != '&') continue;
        if (p[1] == '&') {  // "&&" is a literal ampersand
            ++p;
            continue;
        }
        if (p[1] != '\0' && upper(static_cast<unsigned char>(p[1])) == upper(key)) return true;
    }
    return false;
}

CommandRoute route_command(unsigned identifier) {
    if (identifier >= 57600) return CommandRoute::consumed;
    if (identifier >= 20000) return CommandRoute::menu_command;
    return CommandRoute::control_notification;
}

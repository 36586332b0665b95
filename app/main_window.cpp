#include "app/main_window.h"

#include <new>

#include "app/app_state.h"
#include "app/gdi_holders.h"
#include "app/message_loop.h"
#include "app/notice_label.h"
#include "app/painting.h"
#include "app/shortcut_button.h"
#include "app/test_seams.h"
#include "app/window_class.h"
#include "app/window_rules.h"

namespace {

constexpr char class_name[] = "VrkMainWindow";
constexpr int window_width = 380;
constexpr int window_height = 250;
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD caption_bits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD wanted_caption_bits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr char load_failure[] = "\xd4\xd8\xc8\xeb\xc6\xf4\xb6\xaf\xb4\xb0\xbf\xda\xca\xa7\xb0\xdc";  // 载入启动窗口失败

// The controls in design order, which decides z-order, Enter and Alt+key order.
enum ControlIndex { notice_label = 0, shortcut_button = 1, control_count = 2 };

struct ControlDesign {
    int identifier;
    bool tab_stop;
    int tab_index;
};
constexpr ControlDesign control_design[control_count] = {
    {110, false, 0},  // 标签1
    {100, true, 0},   // 按钮1
};

struct MainWindow {
    HWND window = nullptr;
    HWND controls[control_count] = {};
    HWND focus_on_deactivate = nullptr;
    HFONT font = nullptr;
};

// The window object lives on the process heap from load_main_window to WM_NCDESTROY.
MainWindow* create_window_object() {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(MainWindow));
    return memory == nullptr ? nullptr : new (memory) MainWindow;
}

void destroy_window_object(MainWindow* self) {
    self->~MainWindow();
    HeapFree(GetProcessHeap(), 0, self);
}

MainWindow* window_object(HWND window) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

int control_index(const MainWindow& self, HWND control) {
    for (int i = 0; i < control_count; ++i)
        if (control != nullptr && self.controls[i] == control) return i;
    return -1;
}

void tab_controls(const MainWindow& self, TabControl (&out)[control_count]) {
    for (int i = 0; i < control_count; ++i)
        out[i] = TabControl{IsWindowVisible(self.controls[i]) != FALSE,
                            IsWindowEnabled(self.controls[i]) != FALSE,
                            control_design[i].tab_stop, control_design[i].tab_index};
}

void focus_control(const MainWindow& self, int index) {
    if (index >= 0) SetFocus(self.controls[index]);
}

void raise_click(int index) {
    if (index == shortcut_button) on_shortcut_button_notify(BN_CLICKED);
}

// Only the button can be a push button; its kind is read from its style.
bool is_default_push_button(const MainWindow& self, int index) {
    return index == shortcut_button &&
           (GetWindowLongPtrA(self.controls[index], GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool click_default_button(const MainWindow& self) {
    const int focused = control_index(self, GetFocus());
    if (is_default_push_button(self, focused)) {
        raise_click(focused);
        return true;
    }
    for (int i = 0; i < control_count; ++i)
        if (is_default_push_button(self, i)) {
            raise_click(i);
            return true;
        }
    return false;
}

bool click_mnemonic(const MainWindow& self, unsigned key) {
    for (int i = 0; i < control_count; ++i) {
        const HWND control = self.controls[i];
        if (!IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
        char text[512];
        GetWindowTextA(control, text, sizeof text);
        if (!text_has_mnemonic(text, key)) continue;
        if (i == notice_label) {
            TabControl tabs[control_count];
            tab_controls(self, tabs);
            focus_control(self, next_tab_stop(tabs, control_count, i, true));
        } else {
            raise_click(i);
        }
        return true;
    }
    return false;
}

void move_focus(const MainWindow& self, bool forward) {
    TabControl tabs[control_count];
    tab_controls(self, tabs);
    focus_control(self, next_tab_stop(tabs, control_count, control_index(self, GetFocus()), forward));
}

LRESULT on_paint(const MainWindow& self) {
    PaintSession paint(self.window);
    RECT clip;
    if (GetClipBox(paint.dc(), &clip) != NULLREGION && !IsRectEmpty(&clip))
        paint_main_window(paint.dc(), clip);
    return 0;
}

LRESULT on_activate(MainWindow& self, HWND window, WPARAM w_param, LPARAM l_param) {
    if (LOWORD(w_param) == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (control_index(self, focused) >= 0) self.focus_on_deactivate = focused;
    }
    return DefWindowProcA(window, WM_ACTIVATE, w_param, l_param);
}

LRESULT on_set_focus(const MainWindow& self) {
    const HWND remembered = self.focus_on_deactivate;
    if (remembered != nullptr && IsWindow(remembered) && control_index(self, remembered) >= 0) {
        SetFocus(remembered);
        return 0;
    }
    TabControl tabs[control_count];
    tab_controls(self, tabs);
    focus_control(self, first_tab_stop(tabs, control_count));
    return 0;
}

LRESULT on_command(const MainWindow& self, WPARAM w_param, LPARAM l_param) {
    if (route_command(LOWORD(w_param)) != CommandRoute::control_notification) return 0;
    // Only this window's own controls are answered: a forged handle clicks nothing.
    if (control_index(self, reinterpret_cast<HWND>(l_param)) == shortcut_button)
        on_shortcut_button_notify(HIWORD(w_param));
    return 0;
}

LRESULT on_set_font(MainWindow& self, WPARAM w_param, LPARAM l_param) {
    self.font = reinterpret_cast<HFONT>(w_param);
    if (LOWORD(l_param) != 0) InvalidateRect(self.window, nullptr, TRUE);
    return 0;
}

LRESULT on_nc_destroy(MainWindow* self, HWND window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    destroy_window_object(self);
    on_program_window_destroyed(window);
    return 0;
}

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(l_param)->lpCreateParams);
        self->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    MainWindow* self = window_object(window);
    if (self == nullptr) return DefWindowProcA(window, message, w_param, l_param);
    switch (message) {
        case WM_PAINT: return on_paint(*self);
        case WM_ACTIVATE: return on_activate(*self, window, w_param, l_param);
        case WM_SETFOCUS: return on_set_focus(*self);
        case WM_COMMAND: return on_command(*self, w_param, l_param);
        case WM_SETFONT: return on_set_font(*self, w_param, l_param);
        case WM_GETFONT: return reinterpret_cast<LRESULT>(self->font);
        case WM_QUERYENDSESSION: return TRUE;
        case WM_NCDESTROY: return on_nc_destroy(self, window);
        default: return DefWindowProcA(window, message, w_param, l_param);
    }
}

HWND create_main_window(MainWindow* self) {
    if (seams::fail("window") || !register_window_class(class_name, main_window_procedure)) return nullptr;
    const Point origin = centred_origin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       window_width, window_height);
    const HWND window = CreateWindowExA(0, class_name, "", window_style, origin.x, origin.y, window_width,
                                        window_height, nullptr, nullptr, GetModuleHandleA(nullptr), self);
    if (window == nullptr) return nullptr;
    add_program_window(window);

    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    if ((style & caption_bits) != wanted_caption_bits) {
        SetWindowLongPtrA(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(caption_bits)) | wanted_caption_bits);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    // The stored size is the outer size, whatever the system made of it.
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != window_width || outer.bottom - outer.top != window_height)
        MoveWindow(window, origin.x, origin.y, window_width, window_height, TRUE);

    const ProgramIcons icons = default_program_icons();
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.big_icon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small_icon));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return window;
}

// Controls come into being in the reverse of design order, then take their z-order.
bool create_controls(MainWindow& self) {
    self.controls[shortcut_button] = create_shortcut_button(self.window, control_design[shortcut_button].identifier);
    if (self.controls[shortcut_button] == nullptr) return false;
    self.controls[notice_label] = create_notice_label(self.window, control_design[notice_label].identifier);
    if (self.controls[notice_label] == nullptr) return false;
    HWND after = HWND_TOP;
    for (HWND control : self.controls) {
        SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
        after = control;
    }
    for (HWND control : self.controls) ShowWindow(control, SW_SHOWNA);
    return true;
}

void on_creation_complete() {}

}  // namespace

void load_main_window() {
    pump_waiting_messages();
    hold_events();
    MainWindow* self = create_window_object();
    if (self == nullptr) fatal_error(load_failure);
    // A failed creation may already have freed the object in WM_NCDESTROY, and the
    // process ends anyway, so nothing is freed here.
    const HWND window = create_main_window(self);
    if (window == nullptr) fatal_error(load_failure);
    if (!create_controls(*self)) fatal_error(load_failure);
    seams::notify_label_while_loading(self->controls[notice_label]);
    pump_waiting_messages();
    release_events();
    if (events_allowed()) on_creation_complete();
    if (!IsWindow(window)) return;
    ShowWindow(window, SW_SHOW);
}

bool main_window_pre_translate(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (!IsWindowEnabled(message.hwnd)) return false;
    const MainWindow* self = window_object(window);
    if (self == nullptr) return false;
    const KeyStroke key{static_cast<unsigned>(message.wParam), GetKeyState(VK_CONTROL) < 0,
                        GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
    switch (key_action(key)) {
        case KeyAction::close_window: SendMessageA(window, WM_CLOSE, 0, 0); return true;
        case KeyAction::click_default_button: return click_default_button(*self);
        case KeyAction::focus_next: move_focus(*self, true); return true;
        case KeyAction::focus_previous: move_focus(*self, false); return true;
        case KeyAction::mnemonic: return click_mnemonic(*self, key.virtual_key);
        case KeyAction::pass_on: break;
    }
    return false;
}

bool main_window_idle(HWND, DWORD) { return false; }

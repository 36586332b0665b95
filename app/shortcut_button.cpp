#include "app/shortcut_button.h"

#include "app/app_state.h"
#include "app/test_seams.h"
#include "shortcut/desktop_shortcut.h"

namespace {
constexpr char caption[] = "\xb4\xb4\xbd\xa8\xbf\xec\xbd\xdd\xb7\xbd\xca\xbd";  // 创建快捷方式
constexpr DWORD button_style =
    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr int button_left = 88, button_top = 8, button_width = 200, button_height = 80;

void on_click() {
    seams::trace_heap("click-start");
    make_desktop_shortcut();
    seams::trace_heap("click-end");
}
}  // namespace

HWND create_shortcut_button(HWND parent, int identifier) {
    const HWND button = CreateWindowExA(0, "BUTTON", caption, button_style, button_left, button_top, button_width,
                                        button_height, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                                        GetModuleHandleA(nullptr), nullptr);
    if (button != nullptr)
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return button;
}

void on_shortcut_button_notify(WORD code) {
    if (code == BN_CLICKED && events_allowed()) on_click();
}

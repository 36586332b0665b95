#include "app/notice_label.h"

#include "app/app_state.h"
#include "app/gdi_holders.h"
#include "app/painting.h"
#include "app/test_seams.h"
#include "app/window_class.h"

namespace {

constexpr char class_name[] = "VrkNoticeLabel";

// Five lines joined by CR LF, code page 936 (174 bytes):
//   代码仅仅有一条命令，即为创建创建快捷方式，
//   如果怕有毒请直接自己到vrk目录下自己
//   添加VRK6.exe快捷键方式
//   软件为我在3.2.1.498中提取的播放器
//   希望大家喜欢，如有侵权24小时内删除
constexpr char notice_text[] =
    "\xb4\xfa\xc2\xeb\xbd\xf6\xbd\xf6\xd3\xd0\xd2\xbb\xcc\xf5\xc3\xfc\xc1\xee\xa3\xac\xbc\xb4"
    "\xce\xaa\xb4\xb4\xbd\xa8\xb4\xb4\xbd\xa8\xbf\xec\xbd\xdd\xb7\xbd\xca\xbd\xa3\xac\r\n"
    "\xc8\xe7\xb9\xfb\xc5\xc2\xd3\xd0\xb6\xbe\xc7\xeb\xd6\xb1\xbd\xd3\xd7\xd4\xbc\xba\xb5\xbd"
    "vrk\xc4\xbf\xc2\xbc\xcf\xc2\xd7\xd4\xbc\xba\r\n"
    "\xcc\xed\xbc\xd3VRK6.exe\xbf\xec\xbd\xdd\xbc\xfc\xb7\xbd\xca\xbd\r\n"
    "\xc8\xed\xbc\xfe\xce\xaa\xce\xd2\xd4\xda"
    "3.2.1.498\xd6\xd0\xcc\xe1\xc8\xa1\xb5\xc4\xb2\xa5\xb7\xc5\xc6\xf7\r\n"
    "\xcf\xa3\xcd\xfb\xb4\xf3\xbc\xd2\xcf\xb2\xbb\xb6\xa3\xac\xc8\xe7\xd3\xd0\xc7\xd6\xc8\xa8"
    "24\xd0\xa1\xca\xb1\xc4\xda\xc9\xbe\xb3\xfd";
static_assert(sizeof notice_text - 1 == 174, "the notice is 174 bytes");

constexpr int label_left = 16, label_top = 96, label_width = 312, label_height = 112;

LRESULT on_paint(HWND label) {
    PaintSession paint(label);
    RECT clip;
    if (GetClipBox(paint.dc(), &clip) == NULLREGION || IsRectEmpty(&clip)) return 0;
    RECT client;
    GetClientRect(label, &client);
    // A text set from outside may be longer; it is cut, never overrun.
    char text[1024];
    GetWindowTextA(label, text, sizeof text);
    paint_notice_label(paint.dc(), clip, client, text);
    return 0;
}

LRESULT on_notify(WPARAM w_param, LPARAM l_param) {
    if (events_allowed())
        handle_label_notify(static_cast<std::int32_t>(w_param), static_cast<std::int32_t>(l_param));
    return 0;
}

LRESULT CALLBACK label_procedure(HWND label, UINT message, WPARAM w_param, LPARAM l_param) {
    switch (message) {
        case WM_PAINT: return on_paint(label);
        case label_notify_message: return on_notify(w_param, l_param);
        default: return DefWindowProcA(label, message, w_param, l_param);
    }
}

}  // namespace

HWND create_notice_label(HWND parent, int identifier) {
    if (!register_window_class(class_name, label_procedure)) return nullptr;
    return CreateWindowExA(0, class_name, notice_text, WS_CHILD | WS_CLIPSIBLINGS, label_left, label_top,
                           label_width, label_height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                           GetModuleHandleA(nullptr), nullptr);
}

void handle_label_notify(std::int32_t, std::int32_t) { seams::trace("label_notify"); }

#pragma once
// 标签1: the five-line notice under the button.
#include <windows.h>

#include <cstdint>

// Sent or posted by other programs; always answered with 0.
constexpr UINT label_notify_message = WM_APP + 0x75;  // 32885

// Creates the label hidden; null on failure.
HWND create_notice_label(HWND parent, int identifier);

// Fills the clip region with the button-face colour and draws `text` in the
// default GUI font, black, word-wrapped from the top-left of `client`.
void paint_notice_label(HDC dc, const RECT& clip, const RECT& client, const char* text);

// The label's notify event; it does nothing with what it is given.
void handle_label_notify(std::int32_t w_param, std::int32_t l_param);

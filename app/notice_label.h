#pragma once
// 标签1: the five-line notice under the button.
#include <windows.h>

#include <cstdint>

// Sent or posted by other programs; always answered with 0.
constexpr UINT label_notify_message = WM_APP + 0x75;  // 32885

// Creates the label hidden; null on failure.
HWND create_notice_label(HWND parent, int identifier);

// The label's notify event; it does nothing with what it is given (the test
// build notes that it ran).
void handle_label_notify(std::int32_t w_param, std::int32_t l_param);

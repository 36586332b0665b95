#pragma once
// What the main window and the notice label draw, on any device context, so
// that tests can paint onto a memory DC.  Both read the system's button-face
// colour at every call, so a change of system colours shows at the next paint.
#include <windows.h>

// Fills `clip` with the button-face colour.
void paint_main_window(HDC dc, const RECT& clip);

// Fills the clip box within `client` with the button-face colour and draws
// `text` in the default GUI font, black, word-wrapped from the top-left of
// `client`; nothing is drawn outside the clip box.
void paint_notice_label(HDC dc, const RECT& clip, const RECT& client, const char* text);

#pragma once
#include <windows.h>

// Registers one of the program's private window classes, once: redrawn on
// resize, double clicks, the arrow cursor, and the null brush, since each
// window paints all of itself.  False when the class cannot be registered.
bool register_window_class(const char* name, WNDPROC procedure);

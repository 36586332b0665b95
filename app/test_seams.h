#pragma once
// Switches and a trace for the test build, which the Wine tests drive.  The
// shipped program is built without VRK_TEST_SEAMS, so all of this compiles away.

#include <windows.h>

namespace seams {
#ifdef VRK_TEST_SEAMS
// True when VRK_TEST_FAIL names `what` (a comma-separated list).
bool fail(const char* what);
// Appends "event detail" as one line to the file named by VRK_TEST_TRACE.
void trace(const char* event, const char* detail = nullptr);
// Traces the number and total size of busy blocks in the process heap.
void trace_heap(const char* event);
// Traces the process's working directory.
void trace_working_directory();
// Sends the notice label its notify message while events are held, and traces the answer.
void notify_label_while_loading(HWND label);
#else
inline bool fail(const char*) { return false; }
inline void trace(const char*, const char* = nullptr) {}
inline void trace_heap(const char*) {}
inline void trace_working_directory() {}
inline void notify_label_while_loading(HWND) {}
#endif
}  // namespace seams

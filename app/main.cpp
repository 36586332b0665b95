// Process entry: prepare, show the window, run the loop, shut down.
#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/test_seams.h"

namespace {

void startup_routine() { seams::trace_working_directory(); }

void exit_routine() { seams::trace("exit_routine"); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    prepare_process();
    startup_routine();
    register_exit_routine(exit_routine);
    load_main_window();
    run_message_loop();
    shut_down();
    return 0;
}

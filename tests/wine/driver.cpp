// The Wine test driver: runs one named case against the cross-built program
// and prints one line per check, then "N passed, N failed".
//
//   wine_driver.exe CASE PROGRAM.exe SEAMS_PROGRAM.exe [NAME=OTHER_PROGRAM.exe ...]
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "tests/wine/driver_cases.h"
#include "tests/wine/driver_support.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: wine_driver CASE PROGRAM SEAMS_PROGRAM\n");
        return 2;
    }
    Programs programs{argv[2], argv[3], {}, {}};
    // Further NAME=PROGRAM arguments name builds that the benchmark compares.
    for (int i = 4; i < argc; ++i) {
        const char* equals = std::strchr(argv[i], '=');
        if (equals == nullptr) continue;
        programs.variant_names.emplace_back(argv[i], static_cast<std::size_t>(equals - argv[i]));
        programs.variants.emplace_back(equals + 1);
    }
    CoInitialize(nullptr);
    // The first pointer input of a new virtual desktop has been seen to go missing;
    // spend it on a harmless move to a corner before any case clicks.
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    Sleep(100);
    bool known = false;
    for (const DriverCase& driver_case : driver_cases()) {
        if (std::strcmp(driver_case.name, argv[1]) != 0) continue;
        known = true;
        driver_case.run(programs);
    }
    if (!known) check(false, std::string("unknown case ") + argv[1]);
    CoUninitialize();
    std::printf("%d passed, %d failed\n", passes(), failures());
    std::fflush(stdout);
    return failures() == 0 && passes() > 0 ? 0 : 1;
}

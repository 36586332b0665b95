// Not a test: the benchmark.  Medians over repeated runs of start to visible
// window, click to link file, Esc to window gone, and the whole flow, against a
// script that makes the same kind of link through WScript.Shell; idle CPU time
// and private bytes after start.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/wine/driver_cases.h"
#include "tests/wine/driver_support.h"

namespace {

double now_ms() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

template <class Condition>
bool poll(Condition condition, double timeout_ms = 10000) {
    const double start = now_ms();
    while (!condition()) {
        if (now_ms() - start > timeout_ms) return false;
        Sleep(1);
    }
    return true;
}

int runs() {
    char text[16] = {};
    GetEnvironmentVariableA("VRK_BENCH_RUNS", text, sizeof text);
    const int count = std::atoi(text);
    return count > 0 ? count : 15;
}

struct Flow {
    std::vector<double> start, click, close, whole;
};

// One start, click and close of `program`, timed.
void time_flow(const Sandbox& sandbox, Flow& flow) {
    delete_file(link_path());
    const double started = now_ms();
    Running running = start_program(sandbox);
    const bool shown = poll([&] {
        for (HWND window : top_level_windows(running.process.dwProcessId, true)) running.window = window;
        return running.window != nullptr;
    });
    const double visible = now_ms();
    if (!shown) return stop_program(running);
    settle(running, 50);
    bring_to_front(running.window);
    POINT point{88 + 100, 8 + 40};
    ClientToScreen(running.window, &point);
    SetCursorPos(point.x, point.y);
    Sleep(50);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const double clicked = now_ms();
    SendInput(2, inputs, sizeof(INPUT));
    const bool written = poll([] { return file_exists(link_path()); });
    const double on_disk = now_ms();
    settle(running, 50);
    bring_to_front(running.window);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const double pressed = now_ms();
    SendInput(2, keys, sizeof(INPUT));
    const bool gone = poll([&] { return !IsWindow(running.window); });
    const double closed = now_ms();
    if (written && gone) {
        flow.start.push_back(visible - started);
        flow.click.push_back(on_disk - clicked);
        flow.close.push_back(closed - pressed);
        flow.whole.push_back((visible - started) + (on_disk - clicked));
    }
    wait_for_exit(running);
    stop_program(running);
}

double idle_cpu_ms(const Sandbox& sandbox, long long& private_after_start) {
    Running running;
    if (!launch(running, sandbox)) return -1;
    Sleep(1000);
    private_after_start = private_bytes(running);
    const auto cpu = [&] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(running.process.hProcess, &created, &exited, &kernel, &user);
        const auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
    };
    const double before = cpu();
    Sleep(10000);
    const double used = cpu() - before;
    PostMessageA(running.window, WM_CLOSE, 0, 0);
    wait_for_exit(running);
    stop_program(running);
    return used;
}

double script_ms(const Sandbox& sandbox) {
    const std::string script = sandbox.root + "\\make.vbs";
    const std::string link = desktop_folder() + "script.lnk";
    const HANDLE file = CreateFileA(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string text =
        "Set shell = CreateObject(\"WScript.Shell\")\r\n"
        "Set link = shell.CreateShortcut(WScript.Arguments(0))\r\n"
        "link.TargetPath = WScript.Arguments(1)\r\n"
        "link.Description = \"benchmark\"\r\n"
        "link.Save\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    delete_file(link);
    std::string command = "cscript.exe //nologo \"" + script + "\" \"" + link + "\" \"" + sandbox.app_folder +
                          "\\vrk\\VRK6.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = now_ms();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        sandbox.start_folder.c_str(), &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 30000);
    const double elapsed = now_ms() - start;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return file_exists(link) ? elapsed : -1;
}

void benchmark_case(const Programs& programs) {
    const int count = runs();
    std::vector<Sandbox> boxes;
    boxes.push_back(make_sandbox("bench", programs.shipped));
    for (std::size_t i = 0; i < programs.variants.size(); ++i)
        boxes.push_back(make_sandbox("bench_variant" + std::to_string(i), programs.variants[i]));
    std::vector<Flow> flows(boxes.size());
    std::vector<double> script;
    // Interleaved, so that every program meets the same conditions.
    Flow warm_up;
    time_flow(boxes[0], warm_up);
    script_ms(boxes[0]);
    for (int run = 0; run < count; ++run) {
        for (std::size_t i = 0; i < boxes.size(); ++i) time_flow(boxes[i], flows[i]);
        const double ms = script_ms(boxes[0]);
        if (ms >= 0) script.push_back(ms);
    }
    long long private_after_start = -1;
    const double idle = idle_cpu_ms(boxes[0], private_after_start);

    std::printf("benchmark: medians over %d runs in one Wine virtual desktop\n", count);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const char* name = i == 0 ? "program" : programs.variant_names[i - 1].c_str();
        std::printf("%-28s start to visible window %7.1f ms   click to link on disk %6.1f ms   Esc to gone %6.1f ms   "
                    "whole flow %7.1f ms   (%zu runs)\n",
                    name, median(flows[i].start), median(flows[i].click), median(flows[i].close),
                    median(flows[i].whole), flows[i].whole.size());
    }
    std::printf("%-28s %7.1f ms per link (%zu runs)\n", "script (cscript, WScript.Shell)", median(script), script.size());
    std::printf("%-28s %7.2f (goal at most 0.80)\n", "ratio whole flow / script", median(flows[0].whole) / median(script));
    std::printf("%-28s %7.1f ms over 10 s (goal 0)\n", "CPU while idle", idle);
    std::printf("%-28s %7lld KiB\n", "private bytes after start", private_after_start / 1024);
    std::fflush(stdout);
    check(!flows[0].whole.empty() && !script.empty(), "the benchmark completed its runs");
}

}  // namespace

void register_benchmark_case(std::vector<DriverCase>& cases) { cases.push_back({"benchmark", benchmark_case}); }

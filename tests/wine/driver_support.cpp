#include "tests/wine/driver_support.h"

#include <psapi.h>
#include <shlobj.h>

#include <cctype>
#include <cstdio>

#include "shortcut/com_ref.h"

namespace {
int pass_count = 0;
int fail_count = 0;

std::wstring wide(const std::string& ansi) {
    std::wstring out(ansi.size() + 1, L'\0');
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &out[0], static_cast<int>(out.size()));
    out.resize(units > 0 ? units - 1 : 0);
    return out;
}

}  // namespace

bool check(bool passed, const std::string& name, const std::string& detail) {
    if (passed) {
        ++pass_count;
        std::printf("ok - %s\n", name.c_str());
    } else {
        ++fail_count;
        std::printf("FAIL - %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
    return passed;
}

bool check_equal(const std::string& actual, const std::string& expected, const std::string& name) {
    return check(actual == expected, name, "got \"" + actual + "\", want \"" + expected + "\"");
}

bool check_equal(long long actual, long long expected, const std::string& name) {
    return check(actual == expected, name, "got " + std::to_string(actual) + ", want " + std::to_string(expected));
}

int failures() { return fail_count; }
int passes() { return pass_count; }

std::string hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", value);
    return text;
}

Sandbox make_sandbox(const std::string& name, const std::string& program, const std::string& file_name) {
    Sandbox box;
    box.root = "C:\\vrktest\\" + name;
    box.app_folder = box.root + "\\app";
    box.program_path = box.app_folder + "\\" + file_name;
    box.start_folder = box.root + "\\elsewhere";
    // Wine's GetEnvironmentVariableA cuts values holding double-byte characters, so the
    // trace file's name, handed over in the environment, stays ASCII.
    std::string ascii_name = name;
    for (char& c : ascii_name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') c = 'x';
    box.trace_path = "C:\\vrktest\\trace-" + ascii_name + ".txt";
    for (const std::string& folder :
         {std::string("C:\\vrktest"), box.root, box.app_folder, box.app_folder + "\\vrk", box.start_folder})
        CreateDirectoryA(folder.c_str(), nullptr);
    const std::string player = box.app_folder + "\\vrk\\VRK6.exe";
    const HANDLE file = CreateFileA(player.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "MZ", 2, &written, nullptr);
    CloseHandle(file);
    if (!CopyFileA(program.c_str(), box.program_path.c_str(), FALSE))
        check(false, "copy the program into " + box.app_folder, "error " + std::to_string(GetLastError()));
    DeleteFileA(box.trace_path.c_str());
    return box;
}

Running start_program(const Sandbox& sandbox, const std::string& fail, const std::string& command_tail) {
    SetEnvironmentVariableA("VRK_TEST_TRACE", sandbox.trace_path.c_str());
    SetEnvironmentVariableA("VRK_TEST_FAIL", fail.empty() ? nullptr : fail.c_str());
    std::string command = "\"" + sandbox.program_path + "\"" + command_tail;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    Running running;
    BOOL started = FALSE;
    if (sandbox.program_path.size() < MAX_PATH) {
        started = CreateProcessA(sandbox.program_path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 sandbox.start_folder.c_str(), &startup, &running.process);
    } else {
        // The ANSI call stops at MAX_PATH; the wide one takes a longer path.
        std::wstring application = wide(sandbox.program_path);
        std::wstring wide_command = L"\"" + application + L"\"" + wide(command_tail);
        STARTUPINFOW wide_startup = {};
        wide_startup.cb = sizeof wide_startup;
        started = CreateProcessW(application.c_str(), &wide_command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 wide(sandbox.start_folder).c_str(), &wide_startup, &running.process);
    }
    if (!started) check(false, "start " + sandbox.program_path, "error " + std::to_string(GetLastError()));
    SetEnvironmentVariableA("VRK_TEST_TRACE", nullptr);
    SetEnvironmentVariableA("VRK_TEST_FAIL", nullptr);
    return running;
}

std::vector<HWND> top_level_windows(DWORD process_id, bool visible_only) {
    struct Search {
        DWORD process_id;
        bool visible_only;
        std::vector<HWND> found;
    } search{process_id, visible_only, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process_id && (!s->visible_only || IsWindowVisible(window))) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND wait_for_window(const Running& running, const char* title, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        for (HWND window : top_level_windows(running.process.dwProcessId, true))
            if (title == nullptr || window_text(window) == title) return window;
        if (WaitForSingleObject(running.process.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

DWORD wait_for_exit(Running& running, DWORD timeout_ms) {
    if (running.process.hProcess == nullptr) return STILL_ACTIVE;
    WaitForSingleObject(running.process.hProcess, timeout_ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(running.process.hProcess, &code);
    return code;
}

void stop_program(Running& running) {
    if (running.process.hProcess == nullptr) return;
    if (WaitForSingleObject(running.process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(running.process.hProcess, 99);
        WaitForSingleObject(running.process.hProcess, 5000);
    }
    CloseHandle(running.process.hThread);
    CloseHandle(running.process.hProcess);
    running.process = PROCESS_INFORMATION{};
}

void settle(const Running& running, DWORD extra_ms) {
    Sleep(extra_ms);
    if (running.window != nullptr) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(running.window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    }
    WaitForInputIdle(running.process.hProcess, 2000);
}

void bring_to_front(HWND window) {
    const DWORD start = GetTickCount();
    do {
        SetForegroundWindow(window);
        Sleep(50);
    } while (GetForegroundWindow() != window && GetTickCount() - start < 3000);
    Sleep(50);
}

void press_key(WORD virtual_key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    const auto key = [&](WORD vk, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers) key(modifier, false);
    key(virtual_key, false);
    key(virtual_key, true);
    for (auto it = modifiers.end(); it != modifiers.begin();) key(*--it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(150);
}

void click_at(HWND window, int client_x, int client_y) {
    POINT point{client_x, client_y};
    ClientToScreen(window, &point);
    // Move there as an input event, as a real mouse would, and wait until the pointer is
    // there; then press and release with a person's pause between.
    SetCursorPos(point.x, point.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    for (int i = 0; i < 100; ++i) {
        POINT at;
        GetCursorPos(&at);
        if (at.x == point.x && at.y == point.y) break;
        Sleep(10);
    }
    Sleep(50);
    input = INPUT{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    Sleep(60);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    Sleep(150);
}

HWND child_with_id(HWND parent, int id) { return GetDlgItem(parent, id); }

std::string window_text(HWND window) {
    char text[2048] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &length);
    return std::string(text, length);
}

std::string class_name(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT window_rect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT client_rect_in_parent(HWND child) {
    RECT rect = window_rect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND focused_window(const Running& running) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(running.process.dwThreadId, &info);
    return info.hwndFocus;
}

std::string read_file(const std::string& path) {
    std::string bytes;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got != 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool file_exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool delete_file(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

std::vector<std::string> trace_lines(const Sandbox& sandbox) {
    std::vector<std::string> lines;
    const std::string bytes = read_file(sandbox.trace_path);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

int count_lines(const std::vector<std::string>& lines, const std::string& event) {
    int count = 0;
    for (const std::string& line : lines)
        if (line == event || line.compare(0, event.size() + 1, event + " ") == 0) ++count;
    return count;
}

std::string desktop_folder() {
    char path[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string link_path() { return desktop_folder() + "Zarvello\xb2\xa5\xb7\xc5\xc6\xf7.lnk"; }

LinkReadBack read_link(const std::string& path) {
    LinkReadBack link;
    ComRef<IShellLinkA> shell_link;
    ComRef<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shell_link.put())) ||
        FAILED(shell_link->QueryInterface(IID_IPersistFile, persist.put())) ||
        FAILED(persist->Load(wide(path).c_str(), STGM_READ)))
        return link;
    link.loaded = true;
    char text[1024] = {};
    shell_link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    link.target = text;
    text[0] = '\0';
    shell_link->GetDescription(text, sizeof text);
    link.description = text;
    text[0] = '\0';
    shell_link->GetArguments(text, sizeof text);
    link.arguments = text;
    text[0] = '\0';
    shell_link->GetWorkingDirectory(text, sizeof text);
    link.working_directory = text;
    shell_link->GetShowCmd(&link.show_command);
    return link;
}

HWND find_box_window(const Running& running, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        for (HWND window : top_level_windows(running.process.dwProcessId, true))
            if (class_name(window) == "#32770") return window;
        if (WaitForSingleObject(running.process.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

ErrorBox find_error_box(const Running& running, DWORD timeout_ms) {
    ErrorBox box;
    const HWND window = find_box_window(running, timeout_ms);
    if (window == nullptr) return box;
    Sleep(200);
    box.found = true;
    box.title = window_text(window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (class_name(child) == "Static" && !window_text(child).empty()) box.text = window_text(child);
    return box;
}

void dismiss_box(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

// Starts a program copy and waits for its main window; false when it never shows.
bool launch(Running& running, const Sandbox& sandbox, const std::string& fail,
            const std::string& command_tail) {
    running = start_program(sandbox, fail, command_tail);
    running.window = wait_for_window(running);
    if (!check(running.window != nullptr, sandbox.root + ": the main window appears")) return false;
    settle(running);
    return true;
}

bool wait_for_file(const std::string& path, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (!file_exists(path)) {
        if (GetTickCount() - start > timeout_ms) return false;
        Sleep(20);
    }
    return true;
}

void press_button(const Running& running) {
    SendMessageA(child_with_id(running.window, 100), BM_CLICK, 0, 0);
    settle(running);
}

void click_button(const Running& running) {
    bring_to_front(running.window);
    click_at(running.window, 88 + 100, 8 + 40);
    settle(running);
}

void expect_exit(Running& running, DWORD code, const std::string& name) {
    check_equal(static_cast<long long>(wait_for_exit(running)), code, name);
    stop_program(running);
}

void close_window(Running& running, const std::string& name) {
    PostMessageA(running.window, WM_CLOSE, 0, 0);
    expect_exit(running, 0, name);
}

bool has_visible_box(const Running& running) {
    for (HWND window : top_level_windows(running.process.dwProcessId, true))
        if (class_name(window) == "#32770") return true;
    return false;
}

std::uint32_t read_u32(const std::string& bytes, std::size_t offset) {
    if (bytes.size() < offset + 4) return 0xFFFFFFFF;
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1]) << 8 |
           static_cast<unsigned char>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + 3])) << 24;
}

int count_desktop_files() {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((desktop_folder() + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}


// Private bytes of the process; Wine fills in the page-file usage, which Windows
// reports as the same figure, and leaves PrivateUsage at 0.
long long private_bytes(const Running& running) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(running.process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return -1;
    return static_cast<long long>(counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage);
}


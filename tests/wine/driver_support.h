#pragma once
// Helpers of the Wine test driver: checks, starting the program, finding its
// windows, input, and reading back what it wrote.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Prints "ok - name" or "FAIL - name: detail" and counts the outcome.
bool check(bool passed, const std::string& name, const std::string& detail = "");
bool check_equal(const std::string& actual, const std::string& expected, const std::string& name);
bool check_equal(long long actual, long long expected, const std::string& name);
int failures();
int passes();

std::string hex(unsigned long long value);

// Everything one case needs: where the program copy lives, where it starts from.
struct Sandbox {
    std::string root;          // C:\vrktest\<case>
    std::string app_folder;    // root\app, holding the program and vrk\VRK6.exe
    std::string program_path;  // app_folder\vrklink.exe
    std::string start_folder;  // root\elsewhere, the working directory it is started in
    std::string trace_path;    // root\trace.txt
};

// Copies `program` into a fresh sandbox for `name`; `file_name` names the copy.
Sandbox make_sandbox(const std::string& name, const std::string& program,
                     const std::string& file_name = "vrklink.exe");

struct Running {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;  // the visible top-level window, once found
};

// Starts the program with VRK_TEST_TRACE and `fail` as VRK_TEST_FAIL, in `start_folder`.
Running start_program(const Sandbox& sandbox, const std::string& fail = "",
                      const std::string& command_tail = "");
// Waits for a visible top-level window of the process with the given title (null: any).
HWND wait_for_window(const Running& running, const char* title = nullptr, DWORD timeout_ms = 10000);
std::vector<HWND> top_level_windows(DWORD process_id, bool visible_only);
// Waits for the process to end; returns its exit code, or STILL_ACTIVE after the timeout.
DWORD wait_for_exit(Running& running, DWORD timeout_ms = 10000);
// Ends the process if it still runs and closes its handles.
void stop_program(Running& running);

// Lets the program handle what it was sent so far.
void settle(const Running& running, DWORD extra_ms = 100);

void bring_to_front(HWND window);
void press_key(WORD virtual_key, std::initializer_list<WORD> modifiers = {});
void click_at(HWND window, int client_x, int client_y);

HWND child_with_id(HWND parent, int id);
std::string window_text(HWND window);
std::string class_name(HWND window);
RECT window_rect(HWND window);
RECT client_rect_in_parent(HWND child);
HWND focused_window(const Running& running);

std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
bool delete_file(const std::string& path);
std::vector<std::string> trace_lines(const Sandbox& sandbox);
// Lines that are `event` itself or `event` followed by a space and details.
int count_lines(const std::vector<std::string>& lines, const std::string& event);

std::string desktop_folder();  // with its trailing backslash
std::string link_path();       // desktop folder + the link's name

// What a shell link file holds, read back through the platform's shell-link object.
struct LinkReadBack {
    bool loaded = false;
    std::string target;
    std::string description;
    std::string arguments;
    std::string working_directory;
    int show_command = -1;
};
LinkReadBack read_link(const std::string& path);

// Finds the fatal error box of a process, reads its text and dismisses it.
struct ErrorBox {
    bool found = false;
    std::string title;
    std::string text;
};
ErrorBox find_error_box(const Running& running, DWORD timeout_ms = 10000);
void dismiss_box(HWND box);
HWND find_box_window(const Running& running, DWORD timeout_ms);

// Starts a program copy and waits for its main window; false when it never shows.
bool launch(Running& running, const Sandbox& sandbox, const std::string& fail = "",
            const std::string& command_tail = "");
bool wait_for_file(const std::string& path, DWORD timeout_ms = 10000);
// Clicks the middle of the shortcut button as a user would, with the mouse.
void click_button(const Running& running);
// Clicks the shortcut button through BM_CLICK: the button's own click, without the
// mouse, for cases about what the click does rather than how it arrives.
void press_button(const Running& running);
void expect_exit(Running& running, DWORD code, const std::string& name);
// Sends the main window WM_CLOSE and checks that the program ends with exit code 0.
void close_window(Running& running, const std::string& name);
bool has_visible_box(const Running& running);
std::uint32_t read_u32(const std::string& bytes, std::size_t offset);
int count_desktop_files();

// Private bytes of the process (page-file usage where Wine leaves PrivateUsage at 0).
long long private_bytes(const Running& running);

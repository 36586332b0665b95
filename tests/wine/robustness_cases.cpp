// Odd folders, odd starts, existing files, message storms, long runs: the
// program keeps working, writes only what it should and does not leak.
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <map>
#include <random>

#include "shortcut/com_ref.h"
#include "tests/wine/driver_cases.h"
#include "tests/wine/driver_support.h"
#include "tests/wine/expected_texts.h"

namespace {

constexpr char jou[] = "\x81\x5c";  // 乗: its second byte is 0x5C, a backslash

void report(const std::string& what, long long value) {
    std::printf("measured: %s = %lld\n", what.c_str(), value);
    std::fflush(stdout);
}

bool responsive(const Running& running) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(running.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
}

// Starts the test build from `sandbox`, clicks, and checks where it ran and what it aimed at.
void expect_target_beside_program(const Programs& programs, const Sandbox& sandbox, const std::string& label,
                                  const std::string& expected_directory) {
    delete_file(link_path());
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    press_button(running);
    const auto trace = trace_lines(sandbox);
    check_equal(count_lines(trace, "working_directory " + expected_directory), 1,
                label + ": the working directory is " + expected_directory);
    check_equal(count_lines(trace, "set_path " + expected_directory + "\\vrk\\VRK6.exe"), 1,
                label + ": the target is that folder + \\vrk\\VRK6.exe");
    const std::string target = expected_directory + "\\vrk\\VRK6.exe";
    if (check(wait_for_file(link_path()), label + ": the link is written")) {
        // A target past MAX_PATH is the platform's to store as it can.
        if (target.size() < MAX_PATH)
            check_equal(read_link(link_path()).target, target, label + ": stored target");
        else
            std::printf("measured: %s: %zu-byte target stored as \"%s\"\n", label.c_str(), target.size(),
                        read_link(link_path()).target.c_str());
    }
    close_window(running, label + ": closes with exit code 0");
    (void)programs;
}

void dbcs_paths_case(const Programs& programs) {
    const Sandbox sandbox =
        make_sandbox(std::string("dbcs_") + jou + jou, programs.seams, std::string(jou) + ".exe");
    expect_target_beside_program(programs, sandbox, "folder and file named with 0x5C trail bytes",
                                 sandbox.app_folder);
}

// A folder path of 250 bytes, with a short file name so that the full path still fits,
// and one whose full path in ANSI bytes does not fit in 260.
void long_paths_case(const Programs& programs) {
    // Nests folders named with `unit` until the path has `length` bytes.
    const auto deep_folder = [](const std::string& base, std::size_t length, const std::string& unit) {
        std::string folder = base;
        while (folder.size() < length) {
            std::string segment;
            const std::size_t room = length - folder.size() - 1;
            while (segment.size() + unit.size() <= room && segment.size() < 60) segment += unit;
            if (segment.empty()) segment = std::string(room, 'd');
            folder += "\\" + segment;
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        return folder;
    };
    {
        Sandbox sandbox = make_sandbox("long_fits", programs.seams);
        sandbox.app_folder = deep_folder(sandbox.app_folder, 250, "d");
        sandbox.program_path = sandbox.app_folder + "\\a.exe";
        CreateDirectoryA((sandbox.app_folder + "\\vrk").c_str(), nullptr);
        check_equal(static_cast<long long>(sandbox.app_folder.size()), 250, "the folder path is 250 bytes");
        if (check(CopyFileA(programs.seams.c_str(), sandbox.program_path.c_str(), FALSE) != FALSE,
                  "the program is copied there"))
            expect_target_beside_program(programs, sandbox, "250-byte folder", sandbox.app_folder);
    }
    {
        Sandbox sandbox = make_sandbox("long_cut", programs.seams);
        // Double-byte names keep the path short in characters, so Windows starts it, while
        // its ANSI form, which is what the program reads, runs past 260 bytes.
        sandbox.app_folder = deep_folder(sandbox.app_folder, 255, jou);
        sandbox.program_path = sandbox.app_folder + "\\vrklink.exe";
        check(sandbox.program_path.size() >= MAX_PATH, "the full path does not fit in 260 bytes",
              std::to_string(sandbox.program_path.size()));
        if (!check(CopyFileA(programs.seams.c_str(), sandbox.program_path.c_str(), FALSE) != FALSE,
                   "the program is copied there"))
            return;
        // The cut path must never become the working directory: the inherited one stays.
        expect_target_beside_program(programs, sandbox, "path over 260 bytes", sandbox.start_folder);
    }
}

void start_ways_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("start_ways", programs.seams);
    {
        delete_file(link_path());
        Running running;
        if (launch(running, sandbox, "", " --install /S \"C:\\other folder\" x")) {
            press_button(running);
            check(wait_for_file(link_path()), "with arguments: the link is written");
            check_equal(read_link(link_path()).target, sandbox.app_folder + "\\vrk\\VRK6.exe",
                        "with arguments: they are ignored and the target lies beside the program");
            close_window(running, "with arguments: closes with exit code 0");
        }
        stop_program(running);
    }
    {
        // A shortcut to the program whose start-in folder is somewhere else.
        const std::string other = sandbox.root + "\\start-in";
        CreateDirectoryA(other.c_str(), nullptr);
        const std::string starter = sandbox.root + "\\start.lnk";
        ComRef<IShellLinkA> shell_link;
        ComRef<IPersistFile> persist;
        bool made = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                               shell_link.put())) &&
                    SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, persist.put()));
        if (made) {
            shell_link->SetPath(sandbox.program_path.c_str());
            shell_link->SetWorkingDirectory(other.c_str());
            shell_link->SetArguments("/quiet");
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, starter.c_str(), -1, wide, MAX_PATH);
            made = SUCCEEDED(persist->Save(wide, TRUE));
        }
        if (!check(made, "a shortcut with another start-in folder is made")) return;

        // Start it as the shell starts a shortcut: its target, arguments and start-in folder.
        const LinkReadBack shortcut = read_link(starter);
        check_equal(shortcut.working_directory, other, "the shortcut's start-in folder is elsewhere");
        Sandbox via_shortcut = sandbox;
        via_shortcut.start_folder = shortcut.working_directory;
        via_shortcut.program_path = shortcut.target;
        delete_file(link_path());
        DeleteFileA(sandbox.trace_path.c_str());
        Running running;
        if (launch(running, via_shortcut, "", " " + shortcut.arguments)) {
            press_button(running);
            check_equal(count_lines(trace_lines(sandbox), "working_directory " + sandbox.app_folder), 1,
                        "from a shortcut: the working directory is the program's folder, not the start-in folder");
            check(wait_for_file(link_path()), "from a shortcut: the link is written");
            check_equal(read_link(link_path()).target, sandbox.app_folder + "\\vrk\\VRK6.exe",
                        "from a shortcut: the target lies beside the program");
            close_window(running, "from a shortcut: exit code 0");
        }
        stop_program(running);
    }
}

void existing_link_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("existing", programs.shipped);
    {
        const HANDLE junk = CreateFileA(link_path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(junk, "not a link at all", 17, &written, nullptr);
        CloseHandle(junk);
    }
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    press_button(running);
    settle(running, 300);
    check_equal(read_link(link_path()).target, sandbox.app_folder + "\\vrk\\VRK6.exe",
                "an existing file of the same name is replaced by the new link");

    SetFileAttributesA(link_path().c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string before = read_file(link_path());
    press_button(running);
    settle(running, 300);
    check(!has_visible_box(running) && responsive(running), "a read-only link: no box, the program carries on");
    report("read-only link unchanged (1 = yes)", read_file(link_path()) == before);
    bring_to_front(running.window);
    press_key(VK_ESCAPE);
    expect_exit(running, 0, "a read-only link: Esc still ends with exit code 0");
    SetFileAttributesA(link_path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

void message_storm_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("storm", programs.shipped);
    delete_file(link_path());
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    const HWND window = running.window;
    const HWND label = child_with_id(window, label_id);
    std::mt19937_64 random(20261211);

    int nonzero = 0, unanswered = 0;
    for (int i = 0; i < 5000; ++i) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(label, 32885, static_cast<WPARAM>(random()), static_cast<LPARAM>(random()),
                                 SMTO_NORMAL, 3000, &answer))
            ++unanswered;
        else if (answer != 0)
            ++nonzero;
    }
    check(unanswered == 0 && nonzero == 0, "5,000 messages 32885 with random values are all answered 0",
          std::to_string(nonzero) + " non-zero, " + std::to_string(unanswered) + " unanswered");

    for (int i = 0; i < 5000; ++i) {
        const HWND target = i % 2 == 0 ? window : label;
        const UINT message = i % 3 == 0 ? WM_USER + static_cast<UINT>(random() % 0x7C00)
                                        : WM_APP + static_cast<UINT>(random() % 0x4000);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(target, message, static_cast<WPARAM>(random()), static_cast<LPARAM>(random()),
                            SMTO_NORMAL, 3000, &answer);
    }
    for (int i = 0; i < 2000; ++i) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_COMMAND, static_cast<WPARAM>(random() & 0xFFFFFFFF),
                            static_cast<LPARAM>(random()), SMTO_NORMAL, 3000, &answer);
    }
    check(responsive(running), "after 5,000 random application messages and 2,000 random WM_COMMANDs it responds");
    check(!file_exists(link_path()), "none of them wrote a link");
    press_button(running);
    check(wait_for_file(link_path()), "a click still writes the link");
    close_window(running, "closes with exit code 0");
}

void many_clicks_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("many_clicks", programs.shipped);
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    const HWND button = child_with_id(running.window, button_id);
    long long warm = 0;
    const DWORD start = GetTickCount();
    for (int i = 1; i <= 300; ++i) {
        SendMessageA(button, BM_CLICK, 0, 0);
        if (i == 50) warm = private_bytes(running);
    }
    const DWORD elapsed = GetTickCount() - start;
    settle(running);
    const long long after = private_bytes(running);
    report("private bytes after 50 clicks", warm);
    report("private bytes after 300 clicks", after);
    report("milliseconds for 300 clicks", elapsed);
    check(warm > 0 && after - warm <= 256 * 1024, "private bytes stay flat over 250 more clicks (256 KiB allowed)",
          std::to_string(after - warm) + " bytes more");
    check_equal(count_desktop_files(), 1, "300 clicks leave one file");
    check(responsive(running), "still responsive");
    close_window(running, "closes with exit code 0");
}

int black_pixels_on_screen(HWND window, const RECT& client_area) {
    POINT origin{client_area.left, client_area.top};
    ClientToScreen(window, &origin);
    const int width = client_area.right - client_area.left, height = client_area.bottom - client_area.top;
    const HDC screen = GetDC(nullptr);
    int black = 0;
    for (int y = 0; y < height; y += 1)
        for (int x = 0; x < width; x += 1) black += GetPixel(screen, origin.x + x, origin.y + y) == 0;
    ReleaseDC(nullptr, screen);
    return black;
}

void repaints_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("repaints", programs.shipped);
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    const HWND window = running.window;
    const HWND label = child_with_id(window, label_id);
    bring_to_front(window);
    settle(running, 300);
    const RECT label_area{0, 0, 312, 112};
    const int black_before = black_pixels_on_screen(label, label_area);
    long long warm = 0;
    const DWORD start = GetTickCount();
    for (int i = 1; i <= 40000; ++i) {
        RedrawWindow(i % 2 ? window : label, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (i == 2000) warm = private_bytes(running);
    }
    const DWORD elapsed = GetTickCount() - start;
    settle(running, 300);
    bring_to_front(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    settle(running, 300);
    const long long after = private_bytes(running);
    const int black_after = black_pixels_on_screen(label, label_area);
    report("milliseconds for 40,000 forced repaints", elapsed);
    report("black pixels of the notice before", black_before);
    report("black pixels of the notice after", black_after);
    report("private bytes after 2,000 repaints", warm);
    report("private bytes after 40,000 repaints", after);
    check(black_before > 100 && black_after == black_before, "the notice still paints the same after 40,000 repaints");
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    POINT corner{300, 108};
    ClientToScreen(label, &corner);
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, corner.x, corner.y);
    ReleaseDC(nullptr, screen);
    check_equal(static_cast<long long>(pixel), face, "the label's background is still button face");
    check(warm > 0 && after - warm <= 256 * 1024, "private bytes stay flat over 38,000 more repaints",
          std::to_string(after - warm) + " bytes more");
    close_window(running, "closes with exit code 0");
}

// Every file below a folder, with its size.
void list_files(const std::string& folder, std::map<std::string, long long>& files) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            list_files(path, files);
        else
            files[path] = (static_cast<long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void writes_nothing_else_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("writes", programs.shipped);
    delete_file(link_path());
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string temp_folder = temp;
    if (!temp_folder.empty() && temp_folder.back() == '\\') temp_folder.pop_back();
    std::string desktop = desktop_folder();
    desktop.pop_back();
    const std::string folders[] = {sandbox.root, desktop, temp_folder};
    std::map<std::string, long long> before, after;
    for (const std::string& folder : folders) list_files(folder, before);

    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    press_button(running);
    press_button(running);
    check(wait_for_file(link_path()), "the link is written");
    bring_to_front(running.window);
    press_key(VK_ESCAPE);
    expect_exit(running, 0, "Esc ends with exit code 0");

    for (const std::string& folder : folders) list_files(folder, after);
    std::string added;
    for (const auto& file : after)
        if (!before.count(file.first) && file.first != link_path()) added += file.first + " ";
    for (const auto& file : before)
        if (!after.count(file.first) || after[file.first] != file.second) added += "(changed) " + file.first + " ";
    check(added.empty(), "no other file appears or changes in the program's folder, the desktop or the temp folder",
          added);
}

}  // namespace

void register_robustness_cases(std::vector<DriverCase>& cases) {
    cases.insert(cases.end(), {
                                  {"dbcs_paths", dbcs_paths_case},
                                  {"long_paths", long_paths_case},
                                  {"start_ways", start_ways_case},
                                  {"existing_link", existing_link_case},
                                  {"message_storm", message_storm_case},
                                  {"many_clicks", many_clicks_case},
                                  {"repaints", repaints_case},
                                  {"writes_nothing_else", writes_nothing_else_case},
                              });
}

// Cases of the shortcut action, the button and the label.
#include <windows.h>

#include <cstdlib>

#include "app/notice_label.h"
#include "app/painting.h"
#include "tests/wine/driver_cases.h"
#include "tests/wine/driver_support.h"
#include "tests/wine/expected_texts.h"

namespace {

void check_link_file(const std::string& path, const std::string& expected_target) {
    const LinkReadBack link = read_link(path);
    if (!check(link.loaded, "the link file loads through IPersistFile::Load")) return;
    check_equal(link.target, expected_target, "target");
    check(link.description == description, "description, byte for byte", link.description);
    // The link format reads any stored value but 1, 3 and 7 as "normal"; the raw bytes below hold the 5.
    check_equal(link.show_command, SW_SHOWNORMAL, "show command as the platform reads it back");
    check_equal(link.arguments, "", "no arguments");
    check_equal(link.working_directory, "", "no working directory");

    const std::string bytes = read_file(path);
    static const unsigned char link_clsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    check_equal(read_u32(bytes, 0), 0x4C, "header size 0x4C");
    check(bytes.size() > 20 && bytes.compare(4, 16, reinterpret_cast<const char*>(link_clsid), 16) == 0,
          "header carries the shell link CLSID");
    const std::uint32_t flags = read_u32(bytes, 0x14);
    check((flags & 0x04) != 0, "HasName is set", hex(flags));
    check((flags & 0x20) == 0, "HasArguments is clear", hex(flags));
    check((flags & 0x10) == 0, "HasWorkingDir is clear", hex(flags));
    check_equal(read_u32(bytes, 0x3C), 5, "ShowCommand 5 at offset 0x3C");
}

void link_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("link", programs.shipped);
    const std::string target = sandbox.app_folder + "\\vrk\\VRK6.exe";
    delete_file(link_path());
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    const HWND button = child_with_id(running.window, button_id);

    click_button(running);
    if (check(wait_for_file(link_path()), "a mouse click writes the link to the desktop")) {
        check_link_file(link_path(), target);
    }
    check(!has_visible_box(running) && wait_for_exit(running, 0) == STILL_ACTIVE,
          "nothing is shown and the program keeps running");
    check_equal(count_desktop_files(), 1, "exactly one file on the desktop");

    delete_file(link_path());
    bring_to_front(running.window);
    check(focused_window(running) == button, "the button has the focus after reactivation");
    press_key(VK_SPACE);
    settle(running);
    check(wait_for_file(link_path()), "Space on the focused button writes the link");

    struct Key {
        const char* name;
        WORD key;
        std::initializer_list<WORD> modifiers;
    };
    const Key idle_keys[] = {
        {"Enter", VK_RETURN, {}}, {"Tab", VK_TAB, {}},      {"Shift+Tab", VK_TAB, {VK_SHIFT}},
        {"F1", VK_F1, {}},        {"Alt+C", 'C', {VK_MENU}}, {"Alt+1", '1', {VK_MENU}},
    };
    for (const Key& key : idle_keys) {
        delete_file(link_path());
        bring_to_front(running.window);
        press_key(key.key, key.modifiers);
        settle(running, 200);
        check(!file_exists(link_path()), std::string(key.name) + " writes nothing");
        check(focused_window(running) == button, std::string(key.name) + " leaves the focus on the button");
        check(wait_for_exit(running, 0) == STILL_ACTIVE && IsWindowVisible(running.window),
              std::string(key.name) + " leaves the window open");
    }

    // Two clicks write the same file twice; nothing accumulates.
    click_button(running);
    click_button(running);
    check(wait_for_file(link_path()), "two clicks write the link");
    check_equal(count_desktop_files(), 1, "two clicks leave one file");
    check_link_file(link_path(), target);

    // Deactivate by activating another window, then come back.
    const HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    bring_to_front(other);
    bring_to_front(running.window);
    settle(running);
    check(focused_window(running) == button, "the focus returns to the button after reactivation");
    DestroyWindow(other);

    bring_to_front(running.window);
    press_key(VK_ESCAPE);
    expect_exit(running, 0, "Esc ends the program with exit code 0");
}

void forged_command_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("forged", programs.shipped);
    delete_file(link_path());
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    const HWND window = running.window;
    const HWND button = child_with_id(window, button_id);
    const HWND label = child_with_id(window, label_id);
    const HWND stale = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(stale);
    struct Forgery {
        const char* name;
        HWND control;
    };
    const Forgery forgeries[] = {
        {"a foreign window", GetDesktopWindow()},
        {"a stale handle", stale},
        {"the label", label},
        {"no handle", nullptr},
        {"garbage", reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234567))},
    };
    for (const Forgery& forgery : forgeries) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED), reinterpret_cast<LPARAM>(forgery.control));
        settle(running);
        check(!file_exists(link_path()), std::string("BN_CLICKED naming ") + forgery.name + " writes nothing");
    }
    for (WORD code : {BN_SETFOCUS, BN_DOUBLECLICKED}) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(button_id, code), reinterpret_cast<LPARAM>(button));
        settle(running);
        check(!file_exists(link_path()), "button notification " + std::to_string(code) + " writes nothing");
    }
    for (unsigned id : {20000u, 57600u, 65535u}) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        settle(running);
        check(!file_exists(link_path()), "identifier " + std::to_string(id) + " writes nothing");
    }
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    check(wait_for_file(link_path()), "BN_CLICKED from the real button writes the link");
    close_window(running, "closes with exit code 0");
}

void label_notify_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("notify", programs.seams);
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    // The test build sends itself one while the window is loading, with events held.
    check_equal(count_lines(trace_lines(sandbox), "notify_while_loading 0"), 1,
                "sent while the window is loading, 32885 is answered 0");
    check_equal(count_lines(trace_lines(sandbox), "label_notify"), 0,
                "sent while the window is loading, it calls nothing");
    const HWND label = child_with_id(running.window, label_id);
    const std::pair<WPARAM, LPARAM> values[] = {
        {0, 0}, {1, 2}, {0xFFFFFFFF, static_cast<LPARAM>(0x80000000)}, {0x7FFFFFFF, -1}, {12345, 67890}};
    bool all_zero = true;
    for (const auto& value : values) {
        DWORD_PTR answer = 99;
        const LRESULT sent = SendMessageTimeoutA(label, label_notify_message, value.first, value.second,
                                                 SMTO_NORMAL, 5000, &answer);
        all_zero = all_zero && sent != 0 && answer == 0;
    }
    check(all_zero, "message 32885 with any values is answered with 0");
    check(PostMessageA(label, label_notify_message, 5, 6) != FALSE, "a posted 32885 is accepted");
    settle(running);
    check_equal(count_lines(trace_lines(sandbox), "label_notify"), 6,
                "after loading, each of the 6 messages called the notify routine once");
    check(wait_for_exit(running, 0) == STILL_ACTIVE && !has_visible_box(running), "the program carries on quietly");
    close_window(running, "closes with exit code 0");
}

void quiet_failures_case(const Programs& programs) {
    // When the shell-link object cannot be created (as without COM on the thread; under
    // Wine the input method initialises COM on every window thread, so the creation is
    // made to fail instead) no file is written and nothing is said.
    {
        const Sandbox sandbox = make_sandbox("no_link_object", programs.seams);
        delete_file(link_path());
        Running running;
        if (launch(running, sandbox, "link_object")) {
            press_button(running);
            Sleep(300);
            check_equal(count_lines(trace_lines(sandbox), "click-end"), 1, "the click ran the action to its end");
            check(!file_exists(link_path()), "without a link object no link is written");
            check(!has_visible_box(running) && wait_for_exit(running, 0) == STILL_ACTIVE,
                  "without a link object the program carries on, no box");
            close_window(running, "it still closes with exit code 0");
        }
        stop_program(running);
    }
    // When the desktop lookup fails the bare name is saved relative to the working directory.
    {
        const Sandbox sandbox = make_sandbox("no_desktop", programs.seams);
        const std::string relative_link = sandbox.app_folder + "\\" + link_name;
        delete_file(relative_link);
        delete_file(link_path());
        Running running;
        if (launch(running, sandbox, "desktop")) {
            press_button(running);
            check(wait_for_file(relative_link), "the bare link name lands in the working directory");
            check(!file_exists(link_path()), "nothing lands on the desktop");
            check(!has_visible_box(running), "no box when the desktop lookup fails");
            close_window(running, "closes with exit code 0");
        }
        stop_program(running);
    }
    // When the working directory cannot be had the target is the bare tail.
    {
        const Sandbox sandbox = make_sandbox("no_cwd", programs.seams);
        delete_file(link_path());
        Running running;
        if (launch(running, sandbox, "cwd")) {
            press_button(running);
            check(wait_for_file(link_path()), "the link is written without a working directory");
            check_equal(count_lines(trace_lines(sandbox), "set_path \\vrk\\VRK6.exe"), 1,
                        "the target handed over is \\vrk\\VRK6.exe");
            close_window(running, "closes with exit code 0");
        }
        stop_program(running);
    }
}

void heap_refusal_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("heap", programs.seams);
    Running running;
    if (!launch(running, sandbox, "heap")) return stop_program(running);
    const HWND window = running.window;
    const HWND button = child_with_id(window, button_id);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    const ErrorBox box = find_error_box(running);
    const std::string size = std::to_string(desktop_folder().size() + 1);
    if (check(box.found, "a refused allocation shows the error box")) {
        check_equal(box.title, error_title, "its title is the error title");
        check_equal(box.text, "\xb7\xd6\xc5\xe4 " + size + " \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!",
                    "its text names the refused size");
        // The box has no owner, so the window still takes clicks; they must run nothing.
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        Sleep(200);
        check_equal(count_lines(trace_lines(sandbox), "click-start"), 1, "a click while the box is up runs nothing");
        dismiss_box(find_box_window(running, 1000));
    }
    expect_exit(running, 0xFFFFFFFF, "after the box the exit code is 0xFFFFFFFF");
    check_equal(count_lines(trace_lines(sandbox), "exit_routine"), 0, "no exit routine ran");
}

void desktop_missing_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("desktop_missing", programs.shipped);
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    press_button(running);
    Sleep(300);
    check(!file_exists(link_path()), "with the desktop folder missing no link appears");
    check(!has_visible_box(running) && wait_for_exit(running, 0) == STILL_ACTIVE,
          "the program keeps running and shows no box");
    bring_to_front(running.window);
    press_key(VK_ESCAPE);
    expect_exit(running, 0, "Esc still ends it with exit code 0");
}

// The script maps drive Q: to an empty folder before this case.
void drive_root_case(const Programs& programs) {
    Sandbox sandbox = make_sandbox("drive_root", programs.seams);
    sandbox.app_folder = "Q:";
    sandbox.program_path = "Q:\\vrklink.exe";
    CreateDirectoryA("Q:\\vrk", nullptr);
    if (!check(CopyFileA(programs.seams.c_str(), sandbox.program_path.c_str(), FALSE) != FALSE,
               "the program is copied to the root of Q:"))
        return;
    delete_file(link_path());
    // Q:'s remembered directory, which a bare "Q:" would mean, is another folder.
    SetEnvironmentVariableA("=Q:", "Q:\\vrk");
    Running running;
    const bool launched = launch(running, sandbox);
    SetEnvironmentVariableA("=Q:", nullptr);
    if (!launched) return stop_program(running);
    const auto trace = trace_lines(sandbox);
    check_equal(count_lines(trace, "working_directory Q:\\"), 1,
                "the working directory is the root of Q:, not its remembered directory");
    press_button(running);
    check(wait_for_file(link_path()), "the link is written");
    check_equal(count_lines(trace_lines(sandbox), "set_path Q:\\\\vrk\\VRK6.exe"), 1,
                "the target is built as Q:\\\\vrk\\VRK6.exe and handed over unchanged");
    close_window(running, "closes with exit code 0");
    DeleteFileA(sandbox.program_path.c_str());
}

// Counts busy heap blocks after each click; after warming up they stay flat.
void heap_steady_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("heap_steady", programs.seams);
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    const HWND button = child_with_id(running.window, button_id);
    constexpr int clicks = 60;
    for (int i = 0; i < clicks; ++i) SendMessageA(button, BM_CLICK, 0, 0);
    settle(running);
    std::vector<std::string> ends;
    for (const std::string& line : trace_lines(sandbox))
        if (line.compare(0, 9, "click-end") == 0) ends.push_back(line);
    if (check_equal(static_cast<long long>(ends.size()), clicks, "every click ran the action")) {
        check(ends[4] == ends[clicks - 1], "no heap block is left behind by clicks 6 to 60",
              ends[4] + " then " + ends[clicks - 1]);
    }
    check(wait_for_file(link_path()), "the link was written");
    close_window(running, "closes with exit code 0");
}

// The label's painting on a memory DC: fill, black text from the top-left, clipping.
void label_paint_case(const Programs&) {
    const RECT client{0, 0, 312, 112};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 312;
    info.bmiHeader.biHeight = -112;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const auto pixel = [&](int x, int y) { return pixels[y * 312 + x] & 0xFFFFFF; };
    const std::uint32_t marker = 0x00ABCDEF;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t face_dib = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);

    for (int i = 0; i < 312 * 112; ++i) pixels[i] = marker;
    paint_notice_label(dc, client, client, notice.c_str());
    GdiFlush();
    int black = 0, black_below_text = 0, other = 0;
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 312; ++x) {
            const std::uint32_t p = pixel(x, y);
            if (p == 0) {
                ++black;
                if (y > 90) ++black_below_text;
            } else if (p != face_dib) {
                ++other;
            }
        }
    check(black > 100, "the notice is drawn in black", std::to_string(black) + " black pixels");
    check_equal(black_below_text, 0, "five lines end well above the bottom edge");
    check(pixel(0, 0) == face_dib && pixel(311, 111) == face_dib, "the whole label is filled with button face");
    int black_in_first_rows = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 40; ++x) black_in_first_rows += pixel(x, y) == 0;
    check(black_in_first_rows > 0, "the text starts at the top-left corner");

    // A clip box covering the left half leaves the right half alone.
    for (int i = 0; i < 312 * 112; ++i) pixels[i] = marker;
    const RECT left_half{0, 0, 156, 112};
    paint_notice_label(dc, left_half, client, notice.c_str());
    GdiFlush();
    check(pixel(200, 50) == marker && pixel(311, 0) == marker, "nothing is painted outside the clip box");
    check(pixel(10, 100) == face_dib, "inside the clip box the fill is painted");

    // A changed system colour shows at the next paint of the label and of the window.
    const int element = COLOR_BTNFACE;
    for (COLORREF colour : {RGB(0x12, 0x80, 0x34), RGB(0xC0, 0x40, 0xA0)}) {
        SetSysColors(1, &element, &colour);
        const std::uint32_t dib = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        paint_notice_label(dc, client, client, notice.c_str());
        GdiFlush();
        check(pixel(311, 111) == dib, "the label's next paint uses button face " + hex(colour), hex(pixel(311, 111)));
        for (int i = 0; i < 312 * 112; ++i) pixels[i] = marker;
        paint_main_window(dc, left_half);
        GdiFlush();
        check(pixel(10, 10) == dib && pixel(200, 10) == marker,
              "the window's next paint fills its clip box with button face " + hex(colour));
    }
    SetSysColors(1, &element, &face);

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace

void register_link_cases(std::vector<DriverCase>& cases) {
    cases.insert(cases.end(), {
                                  {"link", link_case},
                                  {"forged_command", forged_command_case},
                                  {"label_notify", label_notify_case},
                                  {"quiet_failures", quiet_failures_case},
                                  {"heap_refusal", heap_refusal_case},
                                  {"desktop_missing", desktop_missing_case},
                                  {"drive_root", drive_root_case},
                                  {"heap_steady", heap_steady_case},
                                  {"label_paint", label_paint_case},
                              });
}

// The cases the Wine tests run, each against a fresh copy of the program.
#include "tests/wine/driver_cases.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "tests/wine/driver_support.h"
#include "tests/wine/expected_texts.h"

namespace {


void window_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("window", programs.seams);
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    const HWND window = running.window;

    check_equal(static_cast<long long>(top_level_windows(running.process.dwProcessId, true).size()), 1,
                "exactly one visible top-level window");
    check(GetWindow(window, GW_OWNER) == nullptr && GetParent(window) == nullptr, "the window has no owner");
    const RECT outer = window_rect(window);
    check_equal(outer.left, 770, "outer left on a 1920x1080 screen");
    check_equal(outer.top, 415, "outer top on a 1920x1080 screen");
    check_equal(outer.right - outer.left, 380, "outer width");
    check_equal(outer.bottom - outer.top, 250, "outer height");
    check_equal(window_text(window), "", "the caption is empty");

    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR expected_style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_VISIBLE;
    check_equal(style & (expected_style | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP | WS_DISABLED | WS_CHILD),
                expected_style, "window style: caption, system menu, minimise box, clip children only");
    check_equal(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0, "not topmost");
    check_equal(static_cast<long long>(GetClassLongPtrA(window, GCL_STYLE)), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                "class style");
    check(GetMenu(window) == nullptr, "no menu");

    const auto trace = trace_lines(sandbox);
    check_equal(count_lines(trace, "working_directory " + sandbox.app_folder), 1,
                "started from elsewhere, the working directory is the program's folder");

    const HWND button = child_with_id(window, button_id);
    const HWND label = child_with_id(window, label_id);
    if (check(button != nullptr && label != nullptr, "children with identifiers 100 and 110")) {
        struct Child {
            const char* name;
            HWND handle;
            RECT place;
            const char* class_name;
            LONG_PTR style;
            const std::string& text;
        };
        const Child children[] = {
            {"button", button, {88, 8, 288, 88}, "Button",
             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER |
                 BS_MULTILINE,
             caption},
            {"label", label, {16, 96, 328, 208}, "VrkNoticeLabel", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, notice},
        };
        for (const Child& child : children) {
            const std::string name = child.name;
            const RECT place = client_rect_in_parent(child.handle);
            check(EqualRect(&place, &child.place), name + " place",
                  std::to_string(place.left) + "," + std::to_string(place.top) + "," + std::to_string(place.right) +
                      "," + std::to_string(place.bottom));
            check_equal(class_name(child.handle), child.class_name, name + " class");
            check_equal(GetWindowLongPtrA(child.handle, GWL_STYLE), child.style, name + " style");
            check_equal(GetWindowLongPtrA(child.handle, GWL_EXSTYLE), 0, name + " extended style");
            check(window_text(child.handle) == child.text, name + " text byte for byte");
        }
        check_equal(static_cast<long long>(notice.size()), 174, "the notice is 174 bytes");
        check(GetWindow(window, GW_CHILD) == label && GetWindow(label, GW_HWNDNEXT) == button,
              "z-order: the label on top, the button directly below");
        check(focused_window(running) == button, "the button has the focus at start");
        check_equal(static_cast<long long>(GetClassLongPtrA(label, GCL_STYLE)), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                    "label class style");
    }
    bring_to_front(window);
    press_key(VK_ESCAPE);
    expect_exit(running, 0, "Esc closes the window with exit code 0");
    const auto after = trace_lines(sandbox);
    check_equal(count_lines(after, "exit_routine"), 1, "the exit routine ran once");
    std::size_t exit_at = after.size(), ole_at = after.size();
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == "exit_routine") exit_at = i;
        if (after[i] == "ole_uninitialize") ole_at = i;
    }
    check(exit_at < ole_at && ole_at < after.size(), "the exit routine ran before OleUninitialize");
}

void close_case(const Programs& programs) {
    struct Way {
        const char* name;
        void (*close)(HWND window);
    };
    const Way ways[] = {
        {"Esc", [](HWND w) { bring_to_front(w); press_key(VK_ESCAPE); }},
        {"Alt+F4", [](HWND w) { bring_to_front(w); press_key(VK_F4, {VK_MENU}); }},
        {"WM_CLOSE", [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }},
        {"system menu Close", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way& way : ways) {
        const Sandbox sandbox = make_sandbox("close", programs.shipped);
        Running running;
        if (!launch(running, sandbox)) {
            stop_program(running);
            continue;
        }
        way.close(running.window);
        expect_exit(running, 0, std::string(way.name) + " ends the program with exit code 0, no question");
    }

    // A modifier held with Esc leaves the window open.
    const Sandbox sandbox = make_sandbox("close", programs.shipped);
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    bring_to_front(running.window);
    for (WORD modifier : {VK_SHIFT, VK_CONTROL}) {
        press_key(VK_ESCAPE, {modifier});
        settle(running, 300);
        check(wait_for_exit(running, 300) == STILL_ACTIVE,
              std::string(modifier == VK_SHIFT ? "Shift" : "Ctrl") + "+Esc does not close the window");
    }
    bring_to_front(running.window);
    press_key(VK_ESCAPE);
    expect_exit(running, 0, "then Esc closes it");
}

void two_copies_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("two", programs.shipped);
    Running first, second;
    if (launch(first, sandbox) && launch(second, sandbox)) {
        check(first.window != second.window && IsWindowVisible(first.window) && IsWindowVisible(second.window),
              "two copies run side by side, each with its own window");
        close_window(first, "the first copy closes with exit code 0");
        check(IsWindowVisible(second.window) != FALSE, "the second copy is still there");
        close_window(second, "the second copy closes with exit code 0");
    }
    stop_program(first);
    stop_program(second);
}

void fatal_window_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("fatal_window", programs.seams);
    Running running = start_program(sandbox, "window");
    const ErrorBox box = find_error_box(running);
    if (check(box.found, "an error box appears when the window cannot be created")) {
        check_equal(box.title, error_title, "its title is the error title");
        check_equal(box.text, load_failure, "its text is the load failure message");
        check_equal(static_cast<long long>(top_level_windows(running.process.dwProcessId, true).size()), 1,
                    "the box is the only visible window");
        dismiss_box(find_box_window(running, 1000));
    }
    expect_exit(running, 0xFFFFFFFF, "after the box the exit code is 0xFFFFFFFF");
    const auto trace = trace_lines(sandbox);
    check_equal(count_lines(trace, "exit_routine"), 0, "no exit routine ran");
    check_equal(count_lines(trace, "ole_uninitialize"), 1, "COM was still released");
}

// Not a test: what ./run shows.  Starts the shipped program, clicks its button as a
// user would, prints what the link holds, and waits for the screenshot before closing.
void demo_case(const Programs& programs) {
    const Sandbox sandbox = make_sandbox("demo", programs.shipped);
    delete_file(link_path());
    Running running;
    if (!launch(running, sandbox)) return stop_program(running);
    std::printf("started %s from %s\n", sandbox.program_path.c_str(), sandbox.start_folder.c_str());
    click_button(running);
    if (check(wait_for_file(link_path()), "clicking the button wrote " + link_path())) {
        const LinkReadBack link = read_link(link_path());
        std::printf("link file:    %s\n", link_path().c_str());
        std::printf("target:       %s\n", link.target.c_str());
        std::printf("show command: %u (stored bytes at 0x3C)\n", read_u32(read_file(link_path()), 0x3C));
        std::printf("description:  %s\n", link.description.c_str());
    }
    std::fflush(stdout);
    const std::string ready = sandbox.root + "\\ready", done = sandbox.root + "\\shot-taken";
    delete_file(done);
    CloseHandle(CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (int i = 0; i < 300 && !file_exists(done); ++i) Sleep(100);
    delete_file(ready);
    bring_to_front(running.window);
    press_key(VK_ESCAPE);
    expect_exit(running, 0, "Esc closed the program with exit code 0");
}

}  // namespace

void register_link_cases(std::vector<DriverCase>& cases);
void register_robustness_cases(std::vector<DriverCase>& cases);
void register_benchmark_case(std::vector<DriverCase>& cases);

const std::vector<DriverCase>& driver_cases() {
    static const std::vector<DriverCase> cases = [] {
        std::vector<DriverCase> all = {
            {"window", window_case},
            {"close", close_case},
            {"two_copies", two_copies_case},
            {"fatal_window", fatal_window_case},
            {"demo", demo_case},
        };
        register_link_cases(all);
        register_robustness_cases(all);
        register_benchmark_case(all);
        return all;
    }();
    return cases;
}

// write_shell_link: the platform's shell-link object does the writing.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "app/app_state.h"
#include "app/test_seams.h"
#include "shortcut/com_ref.h"
#include "shortcut/desktop_shortcut.h"
#include "shortcut/link_name.h"

namespace {

// A temporary UTF-16 buffer on the process heap.
class WideBuffer {
public:
    explicit WideBuffer(std::size_t units)
        : units_(units),
          data_(static_cast<wchar_t*>(HeapAlloc(app_state.process_heap, 0, units * sizeof(wchar_t)))) {}
    ~WideBuffer() {
        if (data_ != nullptr) HeapFree(app_state.process_heap, 0, data_);
    }
    WideBuffer(const WideBuffer&) = delete;
    WideBuffer& operator=(const WideBuffer&) = delete;
    wchar_t* data() const { return data_; }
    int units() const { return static_cast<int>(units_); }

private:
    std::size_t units_;
    wchar_t* data_;
};

}  // namespace

bool write_shell_link(Text link_name, Text target, std::optional<Text> description,
                      std::optional<Text> arguments, std::optional<Text> working_directory) {
    // Declared first so it is released last: the IPersistFile goes before it.
    ComRef<IShellLinkA> shell_link;
    if (seams::fail("link_object") ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shell_link.put())))
        return false;
    ComRef<IPersistFile> persist_file;
    if (FAILED(shell_link->QueryInterface(IID_IPersistFile, persist_file.put()))) return false;

    seams::trace("set_path", text_for_platform(target));
    shell_link->SetPath(text_for_platform(target));
    shell_link->SetShowCmd(SW_SHOW);
    if (description) shell_link->SetDescription(text_for_platform(*description));
    if (arguments) shell_link->SetArguments(text_for_platform(*arguments));
    if (working_directory) shell_link->SetWorkingDirectory(text_for_platform(*working_directory));

    char with_extension[path_capacity];
    const char* file_name = link_file_name(text_for_platform(link_name), with_extension);
    if (file_name == nullptr) return false;

    // Each ANSI byte gives at most one UTF-16 unit.
    WideBuffer wide(static_cast<std::size_t>(lstrlenA(file_name)) + 1);
    if (wide.data() == nullptr) return false;
    wide.data()[0] = L'\0';
    MultiByteToWideChar(CP_ACP, 0, file_name, -1, wide.data(), wide.units());
    return SUCCEEDED(persist_file->Save(wide.data(), TRUE));
}

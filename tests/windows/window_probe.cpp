// What the end-to-end tests read of the program's windows from outside, the way a screen reader
// would: run under wine beside the program, it finds top-level windows by their exact title.
//
//   window_probe texts TITLE     the window, then each of its children, one a line:
//                                control id, class, visibility (0 or 1) and window text,
//                                tab-separated
//   window_probe count TITLE     how many shown top-level windows have that title
//   window_probe rect TITLE      the window's left, top, right and bottom on the screen
//   window_probe dismiss TITLE   presses OK in that window (a message box)
// Texts are written in UTF-8; the exit code is 1 when no window has the title.

#include "system/windows/wide_text.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// Asked of the window itself: GetWindowText gives only the caption the system keeps, not an
// edit box's text, for windows of another program. A window too busy to answer within two
// seconds reads as empty.
std::wstring textOf(HWND window) {
    constexpr UINT kWait = 2000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWait, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kWait, &copied);
    text.resize(copied);
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

void write(const std::wstring& line) {
    const std::string bytes = sys::Narrow(line + L"\n");
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

struct Search {
    std::wstring title;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTitled(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (textOf(window) == search.title) {
        search.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> windowsTitled(const std::wstring& title) {
    Search search{title, {}};
    EnumWindows(collectTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void describe(HWND window) {
    const auto id = static_cast<long long>(GetWindowLongPtrW(window, GWLP_ID));
    write(std::to_wstring(id) + L"\t" + classOf(window) + L"\t" +
          (IsWindowVisible(window) ? L"1" : L"0") + L"\t" + textOf(window));
}

BOOL CALLBACK describeChild(HWND child, LPARAM) {
    describe(child);
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 3) {
        return 2;
    }
    const std::wstring command = argv[1];
    const std::vector<HWND> windows = windowsTitled(argv[2]);
    if (command == L"count") {
        int shown = 0;
        for (HWND window : windows) {
            shown += IsWindowVisible(window) ? 1 : 0;
        }
        write(std::to_wstring(shown));
        return 0;
    }
    if (windows.empty()) {
        return 1;
    }
    HWND window = windows.front();
    if (command == L"texts") {
        describe(window);
        EnumChildWindows(window, describeChild, 0);
    } else if (command == L"rect") {
        RECT box;
        GetWindowRect(window, &box);
        write(std::to_wstring(box.left) + L" " + std::to_wstring(box.top) + L" " +
              std::to_wstring(box.right) + L" " + std::to_wstring(box.bottom));
    } else if (command == L"dismiss") {
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    } else {
        return 2;
    }
    return 0;
}

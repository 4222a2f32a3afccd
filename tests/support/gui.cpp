#include "tests/support/gui.h"

#include <commctrl.h>

#include <thread>
#include <vector>

namespace gui {
namespace {

struct Search {
    const std::function<bool(HWND)>* wanted;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && (*search->wanted)(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string ClassName(HWND window) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    return className;
}

BOOL CALLBACK FindStaticText(HWND child, LPARAM lParam) {
    char className[32] = {};
    ::GetClassNameA(child, className, sizeof className);
    std::string text = Text(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
        *reinterpret_cast<std::string*>(lParam) = std::move(text);
        return FALSE;
    }
    return TRUE;
}

bool RunningOnWine() {
    return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

HWND WaitForOwnWindow(const std::function<bool(HWND)>& wanted, int timeoutMs) {
    for (int waited = 0;; waited += 25) {
        Search search{&wanted, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= timeoutMs) return search.found;
        ::Sleep(25);
    }
}

HWND WaitForWindow(const char* className, const std::string& caption, int timeoutMs) {
    return WaitForOwnWindow([&](HWND window) { return ClassName(window) == className && Text(window) == caption; },
                            timeoutMs);
}

HWND WaitForDialog(const std::function<bool(HWND)>& wanted, int timeoutMs) {
    return WaitForOwnWindow([&](HWND window) { return ClassName(window) == "#32770" && wanted(window); }, timeoutMs);
}

bool WaitUntilClosed(HWND window, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 25) {
        if (!::IsWindow(window) || !::IsWindowVisible(window)) return true;
        ::Sleep(25);
    }
    return false;
}

std::string Text(HWND window) {
    char text[1024] = {};
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          nullptr);
    return text;
}

std::string ItemText(HWND dialog, int id) { return Text(::GetDlgItem(dialog, id)); }
bool IsEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
bool IsChecked(HWND dialog, int id) {
    return ::SendMessageA(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PostClick(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void SetItemText(HWND dialog, int id, const std::string& text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string MessageBoxText(HWND box) {
    std::string text;
    ::EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void Answer(HWND box, int buttonId) {
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, buttonId)));
    WaitUntilClosed(box);
}

int ListRowCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListCell(HWND list, int row, int column) {
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

void SelectListRows(HWND list, std::initializer_list<int> rows) {
    for (const int row : rows) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
}

void SetPickerDate(HWND picker, int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    ::SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
    // Setting the date by message tells nobody; a user's change does, with the notification
    // the picker sends its parent.
    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = picker;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(picker));
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = PickerDate(picker);
    ::SendMessageA(::GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

SYSTEMTIME PickerDate(HWND picker) {
    SYSTEMTIME date{};
    ::SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    return date;
}

bool SaveScreenshot(HWND window, const std::string& unixPngPath) {
    if (!RunningOnWine()) return false;
    ::RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(300);
    RECT r{};
    ::GetWindowRect(window, &r);
    // Wine starts Unix programs too: ImageMagick takes the picture from the X display.
    std::string command = "/usr/bin/import -window root -crop " + std::to_string(r.right - r.left) + "x" +
                          std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" + std::to_string(r.top) +
                          " +repage " + unixPngPath;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    // The Unix process is not ours to wait for: wait for its picture instead.
    const std::string windowsPath = "Z:" + unixPngPath;
    for (int waited = 0; waited < 10000; waited += 100) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (::GetFileAttributesExA(windowsPath.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 1000) {
            ::Sleep(300);
            return true;
        }
        ::Sleep(100);
    }
    return false;
}

INT_PTR RunWithUser(const char* className, const std::string& caption, const std::function<INT_PTR()>& show,
                    const std::function<void(HWND)>& user) {
    std::thread driver([&] {
        HWND window = WaitForWindow(className, caption);
        if (!window) return;
        user(window);
        // Whatever the script left open is closed, so that a failed check cannot hang the test.
        for (int attempt = 0; attempt < 3 && ::IsWindow(window) && ::IsWindowVisible(window); ++attempt) {
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            if (HWND question = WaitForWindow("#32770", "Changes have been made", 1000)) Answer(question, IDYES);
            WaitUntilClosed(window, 2000);
        }
    });
    const INT_PTR result = show();
    driver.join();
    return result;
}

}  // namespace gui

#include "tests/support/payment_run_user.h"

#include <dlgs.h>

#include <atomic>
#include <thread>

#include "resources/payment_dialog_ids.h"
#include "tests/support/gui.h"

namespace run_user {
namespace {

constexpr int kPollMs = 25;

HWND FileNameBox(HWND saveDialog) {
    if (HWND combo = ::GetDlgItem(saveDialog, cmb13)) return combo;
    return ::GetDlgItem(saveDialog, edt1);
}

void PostCommand(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Presses Save, then answers the question whether to replace the file, if the dialog asks it.
void ConfirmSave(HWND saveDialog) {
    PostCommand(saveDialog, IDOK);
    for (int waited = 0; waited <= 10000 && ::IsWindow(saveDialog) && ::IsWindowVisible(saveDialog);
         waited += kPollMs) {
        if (HWND question = WaitForOwnedDialog(saveDialog, 0)) gui::Answer(question, IDYES);
        ::Sleep(kPollMs);
    }
}

// Closes one leftover window: Yes to a question that has no Cancel, Cancel to everything else.
void CloseLeftover(HWND window) {
    if (gui::Text(window) == "Changes have been made") {
        gui::Answer(window, IDYES);
        return;
    }
    PostCommand(window, IDCANCEL);
}

}  // namespace

ActiveHostWindow::ActiveHostWindow()
    : window_(::CreateWindowExA(0, "Static", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                nullptr, nullptr)) {
    ::SetActiveWindow(window_);
}

ActiveHostWindow::~ActiveHostWindow() { ::DestroyWindow(window_); }

HRESULT WithUser(const std::function<HRESULT()>& call, const std::function<void()>& user) {
    std::atomic<bool> finished{false};
    std::thread driver([&] {
        user();
        while (!finished) {
            if (HWND left = gui::WaitForDialog([](HWND) { return true; }, 0)) CloseLeftover(left);
            ::Sleep(100);
        }
    });
    const HRESULT hr = call();
    finished = true;
    driver.join();
    return hr;
}

HWND WaitForOptionsDialog(int timeoutMs) {
    HWND dialog = gui::WaitForWindow("#32770", kOptionsCaption, timeoutMs);
    // The list reads a payment's cells when it first shows them. Looking at the first row, as a
    // user does, makes a run's host calls the same however soon Wine paints the dialog.
    HWND list = dialog ? ::GetDlgItem(dialog, IDC_PAYMENT_LIST) : nullptr;
    if (list && gui::ListRowCount(list) > 0) gui::ListCell(list, 0, 0);
    return dialog;
}

HWND WaitForSaveDialog(int timeoutMs) {
    return gui::WaitForDialog([](HWND window) { return FileNameBox(window) != nullptr; }, timeoutMs);
}

HWND WaitForOwnedDialog(HWND owner, int timeoutMs) {
    return gui::WaitForDialog([owner](HWND window) { return ::GetWindow(window, GW_OWNER) == owner; }, timeoutMs);
}

bool AnyDialogShown() {
    return gui::WaitForDialog([](HWND) { return true; }, 0) != nullptr;
}

void SaveAs(HWND saveDialog, const std::string& path) {
    ::SetWindowTextA(FileNameBox(saveDialog), path.c_str());
    ConfirmSave(saveDialog);
}

void PressSave(HWND saveDialog) { ConfirmSave(saveDialog); }

void CancelDialog(HWND dialog) {
    PostCommand(dialog, IDCANCEL);
    gui::WaitUntilClosed(dialog);
}

HICON MessageBoxIcon(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        ::GetClassNameA(child, className, sizeof className);
        const LONG style = ::GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
            return reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
        }
    }
    return nullptr;
}

}  // namespace run_user

#pragma once
// The user of a payment run, played by a second thread of a test: it finds the windows that
// Process shows (the "Invalid default path" and limit messages, the options dialog, the save
// dialog and their questions) and works them through their real controls.
#include <windows.h>

#include <functional>
#include <string>

namespace run_user {

inline constexpr char kOptionsCaption[] = "Tesk Varrow Online Payment Processing";

// A top-level window of the test that is active while Process runs, as the host's window would be.
class ActiveHostWindow {
public:
    ActiveHostWindow();
    ~ActiveHostWindow();
    ActiveHostWindow(const ActiveHostWindow&) = delete;
    ActiveHostWindow& operator=(const ActiveHostWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_;
};

// Runs `call`, which shows the run's windows modally, on this thread while `user` works them on a
// second one. Whatever is still open once `user` is done is cancelled, so that a failed check
// cannot hang the test.
HRESULT WithUser(const std::function<HRESULT()>& call, const std::function<void()>& user);

// Wine may take some seconds to make a dialog on a busy machine.
inline constexpr int kDialogTimeoutMs = 30000;

HWND WaitForOptionsDialog(int timeoutMs = kDialogTimeoutMs);

// The platform's save dialog: a dialog of this process with a file name box.
HWND WaitForSaveDialog(int timeoutMs = kDialogTimeoutMs);

// A visible dialog window (a message box, a question) owned by `owner` (null: owned by none).
HWND WaitForOwnedDialog(HWND owner, int timeoutMs = 10000);

// Whether any dialog window of this process is showing.
bool AnyDialogShown();

// Types `path` into the save dialog's file name box and presses Save; confirms replacing a file
// that exists. Returns once the dialog is gone.
void SaveAs(HWND saveDialog, const std::string& path);
// Presses Save with the file name the dialog offers.
void PressSave(HWND saveDialog);
void CancelDialog(HWND dialog);

// The icon that a message box shows.
HICON MessageBoxIcon(HWND box);

}  // namespace run_user

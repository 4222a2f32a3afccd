#pragma once
// Working real windows from a test: a second thread finds the windows that the code under test
// shows, reads and works their controls, answers their message boxes, and takes pictures.
#include <windows.h>

#include <functional>
#include <string>

namespace gui {

// The first visible top-level window of this process that `wanted` accepts, looked for until
// `timeoutMs` has passed (0: look once); nullptr when none appeared.
HWND WaitForOwnWindow(const std::function<bool(HWND)>& wanted, int timeoutMs = 10000);

// The same among dialog windows (class "#32770"): dialogs, message boxes, the save dialog.
HWND WaitForDialog(const std::function<bool(HWND)>& wanted, int timeoutMs = 10000);

// The visible top-level window of this process with this class ("#32770" for dialogs and
// message boxes) and caption; nullptr when none appeared in time.
HWND WaitForWindow(const char* className, const std::string& caption, int timeoutMs = 10000);

// Waits until `window` is gone; false when it stayed.
bool WaitUntilClosed(HWND window, int timeoutMs = 10000);

std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);

// A click that returns at once, for buttons that may open a modal window.
void PostClick(HWND dialog, int id);
// A click that returns once the button's work is done.
void Click(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);

// The message text of a message box.
std::string MessageBoxText(HWND box);
// Presses one of its buttons (IDOK, IDYES, IDNO...).
void Answer(HWND box, int buttonId);

// List views.
int ListRowCount(HWND list);
std::string ListCell(HWND list, int row, int column);
void SelectListRows(HWND list, std::initializer_list<int> rows);

// Date pickers.
void SetPickerDate(HWND picker, int year, int month, int day);
SYSTEMTIME PickerDate(HWND picker);

// A PNG of the window as the X display shows it (under Wine with Xvfb); false elsewhere.
bool SaveScreenshot(HWND window, const std::string& unixPngPath);

// Runs `user` on a second thread with the window once it appeared, while the calling thread
// runs `show` (which shows the window modally) and returns its result. Afterwards the window is
// cancelled if the user left it open, confirming the options dialog's "Changes have been made"
// question on the way.
INT_PTR RunWithUser(const char* className, const std::string& caption, const std::function<INT_PTR()>& show,
                    const std::function<void(HWND)>& user);

}  // namespace gui

// Drives the real save dialog: finds it, types a file name into it and confirms.
#include "platform/save_dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <windows.h>
#include <dlgs.h>

namespace platform {
namespace {

// The first visible dialog window of this process.
BOOL CALLBACK FindOwnDialog(HWND window, LPARAM result) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND WaitForDialog() {
    for (int i = 0; i < 200; ++i) {
        HWND found = nullptr;
        EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(&found));
        if (found) return found;
        Sleep(50);
    }
    return nullptr;
}

TEST(SaveDialog, RealDialogReturnsTheTypedPath) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string chosen = std::string(temp) + "varrow-save-dialog-test.csv";
    std::atomic<bool> driven{false};
    std::thread user([&] {
        HWND dialog = WaitForDialog();
        if (!dialog) return;
        HWND name = GetDlgItem(dialog, cmb13);
        if (!name) name = GetDlgItem(dialog, edt1);
        SetWindowTextA(name, chosen.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        driven = true;
    });
    const std::string filter("Payment Files (*.csv)\0*.csv\0All Files (*.*)\0*.*\0\0", 47);
    const auto answer = ShowSaveDialog({nullptr, std::string(temp) + "pay", filter, "csv"});
    user.join();
    ASSERT_TRUE(driven);
    EXPECT_EQ(answer, chosen);
}

}  // namespace
}  // namespace platform

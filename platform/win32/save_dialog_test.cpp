// Drives the real save dialog: finds it, types a file name into it and confirms.
#include "platform/save_dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <windows.h>
#include <dlgs.h>

#include "tests/support/gui.h"

namespace platform {
namespace {

TEST(SaveDialog, RealDialogReturnsTheTypedPath) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string chosen = std::string(temp) + "varrow-save-dialog-test.csv";
    std::atomic<bool> driven{false};
    std::thread user([&] {
        HWND dialog = gui::WaitForDialog([](HWND) { return true; });
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

/* After `regsvr32 /u`: the component's keys are gone from the registry view of this program's own
 * width, the one its regsvr32 wrote. Written apart from the project's headers, from the keys an
 * administrator would look for, in one process (under emulation each costs about a minute).
 *
 *   registration_gone        prints each key that is still there; exit status 0 when none is */
#include <stdio.h>
#include <windows.h>

static const char* const kKeys[] = {
    "TeskVarrowInternetBanking.Bank",
    "TeskVarrowInternetBanking.Bank.1",
    "TeskVarrowInternetBanking.BankServices",
    "TeskVarrowInternetBanking.BankServices.1",
    "TeskVarrowInternetBanking.BankPaymentService",
    "TeskVarrowInternetBanking.BankPaymentService.1",
    "TeskVarrowInternetBanking.BankStatementService",
    "TeskVarrowInternetBanking.BankStatementService.1",
    "CLSID\\{B480F02A-93A1-42A5-A382-4BC07949206C}",
    "CLSID\\{25F047F5-414D-485E-9610-0F37AA90233C}",
    "CLSID\\{50FFEDFE-880B-4438-AE35-3C7363C102D6}",
    "CLSID\\{F594282E-9EC5-460F-808C-3B9F606CA89A}",
    "TypeLib\\{C29E5756-911F-408D-AE20-346E7D10DF0A}",
    "Interface\\{F7F8E71E-0391-4BEA-AB5D-BE252F03E33D}",
    "Interface\\{96B0B45D-139C-4AEC-9A44-C10A150786ED}",
    "Interface\\{508F59CF-6778-4A52-979D-B57581DD8E1C}",
    "Interface\\{F37B68A0-16B6-48CF-A604-F3C24D801C3E}",
};

int main(void) {
    int left = 0;
    for (size_t i = 0; i < sizeof kKeys / sizeof kKeys[0]; ++i) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kKeys[i], 0, KEY_READ, &key) == ERROR_SUCCESS) {
            printf("still registered: HKEY_CLASSES_ROOT\\%s\n", kKeys[i]);
            RegCloseKey(key);
            ++left;
        }
    }
    if (left == 0) puts("REGISTRATION GONE");
    return left == 0 ? 0 : 1;
}

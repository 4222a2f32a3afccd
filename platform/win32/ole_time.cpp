#include "platform/ole_time.h"

#include <windows.h>
#include <oleauto.h>

#include "platform/win32/system_time.h"

namespace platform {

bool SystemTimeToVariantTime(const CivilDateTime& time, double& date) {
    SYSTEMTIME st = ToSystemTime(time);
    return ::SystemTimeToVariantTime(&st, &date) != 0;
}

bool VariantTimeToSystemTime(double date, CivilDateTime& time) {
    SYSTEMTIME st{};
    if (!::VariantTimeToSystemTime(date, &st)) return false;
    time = FromSystemTime(st);
    return true;
}

}  // namespace platform

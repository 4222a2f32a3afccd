#pragma once
#include <string>

// The date rule of the upload files: the day of an OLE date as DDMMYYYY (07122026 for
// 7 December 2026), split by the platform's conversion as the rest of the component does.
// Empty for a value the platform cannot split, and for NaN and the infinities.
std::string FormatFileDate(double oleDate);

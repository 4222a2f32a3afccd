#pragma once
// What the host programs of the demo (process_demo) and of the user guide's pictures
// (screenshot_driver) share: payments from a payment list file, and the settings folder as the
// host's installation leaves it.
#include <string>
#include <vector>

#include "testhost/substitute_host.h"

namespace host_program {

// The payments of a UTF-8 CSV payment list, read as `varrow export` reads it, as the host would
// hold them.
std::vector<substitute_host::PaymentFields> LoadPaymentList(const std::string& path);

// Creates the folder of BANKSERV.INI below the common application-data folder and returns the
// file's full path; empty when that folder cannot be determined.
std::string PrepareSettingsFile();

}  // namespace host_program

#pragma once
#include <string>

namespace platform {

// The module's string resource `id`, at most `maxChars` characters; empty when there is none.
// Windows: LoadStringA on the module that holds the resources. Natively: the same table, compiled in.
std::string LoadStringResource(unsigned id, int maxChars = 255);

}  // namespace platform

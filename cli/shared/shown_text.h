#pragma once
#include "common/shown_text.h"

namespace cli {

using ::Shown;

}  // namespace cli

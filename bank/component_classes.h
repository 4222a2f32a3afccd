#pragma once
#include "server/class_table.h"

// The component's four classes, in registration order, as the module's exports serve them.
const ClassTable& ComponentClasses() noexcept;

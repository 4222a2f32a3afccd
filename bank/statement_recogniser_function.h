#pragma once
// StatementRecogniser: the plain function that the host's statement chooser calls on candidate
// files, reached through the first pointer-sized bytes of the ChooserBlock.
#include "host/chooser_block.h"

// Writes "Varrow Quidlane Statement" with its terminating zero (26 bytes) into `description` and
// returns 1 when the file at `path` is a statement of this bank (its header line has 14 or 18
// fields); otherwise returns 0 and leaves `description` alone. A null `path` or `description` gives
// 0. The caller is host code: no exception may cross back into it.
int WINAPI StatementRecogniser(char* description, const char* path) noexcept;

#pragma once
#include <cstddef>

// Longest line the reader takes; a longer line is not read at all (see ReadRecord).
constexpr std::size_t kMaxStatementLineLength = 2047;
// Longest column the reader takes.
constexpr std::size_t kMaxStatementFieldLength = 511;
// Longest path the reader opens: the import's path buffer holds 260 bytes with the terminator.
constexpr std::size_t kMaxStatementPathLength = 259;

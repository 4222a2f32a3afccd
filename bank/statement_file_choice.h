#pragma once
// The choice of a statement file through the host's StatementFileChooser.
#include <array>
#include <cstddef>

// The chosen file's path: narrow ANSI text and its terminator.
constexpr std::size_t kStatementPathBufferSize = 260;
using StatementPathBuffer = std::array<char, kStatementPathBufferSize>;

// Lets the user choose a statement file through the host's chooser, which tries the component's
// StatementRecogniser on candidate files. True, with the path in `path`, when a file was chosen;
// false when the user left the chooser without one. Raises when a host object cannot be created or
// a call the choice depends on fails, and ERROR_FILENAME_EXCED_RANGE (as a Win32 code) when the
// path does not fit `path`: a path cut short could name another file.
bool ChooseStatementFile(StatementPathBuffer& path);

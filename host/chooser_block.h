#pragma once
// The 400-byte block through which the statement chooser learns how to recognise this bank's
// files. BankConfiguration fills it; the component then puts its recogniser in front, and the
// chooser calls the recogniser on candidate files.
#include <cstddef>
#include <windows.h>

// Writes the bank's description of the file into `description` and answers 1 when the file at
// `path` is one of this bank's statements, else 0.
using StatementRecogniserFunction = int(WINAPI*)(char* description, const char* path);

constexpr std::size_t kChooserBlockSize = 400;

// On i686, the host's architecture, the recogniser takes exactly the first four bytes; a 64-bit
// build keeps a whole pointer there.
struct ChooserBlock {
    StatementRecogniserFunction recogniser;
    unsigned char rest[kChooserBlockSize - sizeof(StatementRecogniserFunction)];
};
static_assert(sizeof(ChooserBlock) == kChooserBlockSize, "the host hands over 400 bytes");
static_assert(offsetof(ChooserBlock, recogniser) == 0, "the recogniser comes first");

#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The rules by which a value becomes the text of an upload file field. Each works on single-byte
// text and leaves its input alone.

// Keeps A-Z, a-z, 0-9, space, ".", "-", "/" and "&", in their order, with a-z turned into A-Z;
// drops every other character (commas and quotes among them).
std::string Clean(std::string_view text);

// A character that the cleaning rule writes as it is: A-Z, 0-9, space, ".", "-", "/" and "&".
bool IsCleanCharacter(char c);

// Clean followed by FirstN(n), without building the whole cleaned text first.
std::string CleanFirst(std::string_view text, std::size_t n);

// The first n characters; shorter text stays as it is.
std::string_view FirstN(std::string_view text, std::size_t n);

// Right-aligned in n characters, filled on the left with "0"; longer text is not cut.
std::string ZeroPad(std::string_view text, std::size_t n);

// Left-aligned in n characters, filled on the right with spaces; longer text is not cut.
std::string SpacePad(std::string_view text, std::size_t n);

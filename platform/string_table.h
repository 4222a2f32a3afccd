#pragma once

// The component's string resources as compiled-in data: the source of the Windows string table
// and of the native build's LoadStringResource.
struct StringTableEntry {
    unsigned id;
    const char* text;
};

// The text of string `id`, or nullptr when the table has none.
const char* FindStringTableText(unsigned id);

// Every entry, for tests that compare the table with the Windows resources.
const StringTableEntry* StringTableBegin();
const StringTableEntry* StringTableEnd();

#include "platform/string_table.h"

#include <algorithm>
#include <iterator>

namespace {

// The only way to share one list with the resource compiler is its preprocessor.
#define VARROW_STRING(id, text) {id, text},
constexpr StringTableEntry kTable[] = {
#include "resources/string_table.inc"
};
#undef VARROW_STRING

}  // namespace

const char* FindStringTableText(unsigned id) {
    const auto found = std::find_if(std::begin(kTable), std::end(kTable),
                                    [id](const StringTableEntry& e) { return e.id == id; });
    return found == std::end(kTable) ? nullptr : found->text;
}

const StringTableEntry* StringTableBegin() { return std::begin(kTable); }
const StringTableEntry* StringTableEnd() { return std::end(kTable); }

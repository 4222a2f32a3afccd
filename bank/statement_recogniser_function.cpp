#include "bank/statement_recogniser_function.h"

#include <cstring>

#include "statements/statement_recogniser.h"

namespace {
// The chooser block declares the recogniser's type; this one must fit it exactly.
[[maybe_unused]] constexpr StatementRecogniserFunction kFitsTheChooserBlock = &StatementRecogniser;
}  // namespace

int WINAPI StatementRecogniser(char* description, const char* path) noexcept {
    try {
        if (!description || !path || !RecognisesStatement(path)) return 0;
        std::memcpy(description, kStatementDescription.data(), kStatementDescription.size());
        description[kStatementDescription.size()] = '\0';
        return 1;
    } catch (...) {
        return 0;
    }
}

#include "accounts/modulus_tables.h"

#include <fstream>

#include "accounts/table_error.h"

namespace {

template <class Table>
Table LoadTable(const std::string& path) {
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in.is_open()) throw TableError(path, 0, "cannot be read");
    return Table::Parse(in, path);
}

}  // namespace

ModulusTables LoadModulusTables(const std::string& weightsPath, const std::string& substitutionsPath) {
    return {LoadTable<WeightTable>(weightsPath), LoadTable<SubstitutionTable>(substitutionsPath)};
}

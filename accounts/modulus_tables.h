#pragma once
#include <string>

#include "accounts/substitution_table.h"
#include "accounts/weight_table.h"

// The two tables the check needs, read once for a run.
struct ModulusTables {
    WeightTable weights;
    SubstitutionTable substitutions;
};

// Reads the weight table and the substitution table from these files. Throws TableError naming
// the file, and the line where one is at fault, when either cannot be read or is not in its
// published format.
ModulusTables LoadModulusTables(const std::string& weightsPath, const std::string& substitutionsPath);

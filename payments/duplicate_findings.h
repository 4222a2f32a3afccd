#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "payments/written_identities.h"

// Where a payment of the same identity was written before.
struct WrittenBefore {
    std::string file;
    double writtenOn = 0;  // OLE date
};

// A payment of a run that looks paid already.
struct DuplicateFinding {
    std::int32_t payment = 0;            // its index in the collection
    std::optional<std::int32_t> sameAs;  // the first payment of the run with its identity
    std::optional<WrittenBefore> written;
};

// The findings in the order of the payments, one at most for each: a payment written before
// (`before` holds an entry for each of `payments`) says where; otherwise a payment after the first
// of its identity in the run names that first one.
std::vector<DuplicateFinding> FindDuplicates(const std::vector<WrittenPayment>& payments,
                                             const std::vector<std::optional<WrittenBefore>>& before);

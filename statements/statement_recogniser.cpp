#include "statements/statement_recogniser.h"

#include "statements/ktx_transaction_file.h"

bool RecognisesStatement(const std::string& path) {
    const CKTXTransactionFile reader(path, std::ios::in);
    const int fields = reader.HeaderFieldCount();
    return fields == 18 || fields == 14;
}

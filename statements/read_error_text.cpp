#include "statements/read_error_text.h"

const char* ReadErrorText(CTransactionRecord::ReadError error) noexcept {
    switch (error) {
    case CTransactionRecord::NoReadError: return "it was read";
    case CTransactionRecord::FieldCountTooLow: return "it has fewer than 14 fields";
    case CTransactionRecord::StreamNotOpen: return "the file is not open";
    case CTransactionRecord::ColumnOutOfRange: return "it has 18 fields under a header of 14";
    case CTransactionRecord::FieldTooLong: return "a column holds more than 511 characters";
    case CTransactionRecord::LineTooLong: return "it holds more than 2047 characters";
    case CTransactionRecord::NulInLine: return "it holds a NUL byte";
    case CTransactionRecord::AmountOutOfRange: return "an amount is too large";
    case CTransactionRecord::OutOfMemory: return "out of memory";
    case CTransactionRecord::NotAnAmount: return "an amount column holds no amount";
    case CTransactionRecord::TooManyFields: return "it has more than 18 fields under a header of 18";
    case CTransactionRecord::FieldMissing: break;
    }
    return "a column is missing";
}

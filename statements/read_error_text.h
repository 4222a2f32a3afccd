#pragma once
#include "statements/transaction_record.h"

// Why a line could not be read, in words that follow "line N cannot be read": "it has fewer than
// 14 fields". The reader says more where the reason names what the line holds (see
// CKTXTransactionFile::LastReason).
const char* ReadErrorText(CTransactionRecord::ReadError error) noexcept;

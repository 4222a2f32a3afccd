#include "cli/help.h"

const char* const kMainUsage = "usage: varrow COMMAND [ARGS...]; see 'varrow --help'\n";

const char* const kMainHelp =
    "varrow - Varrow Online payment files and statements, without the host\n"
    "\n"
    "  varrow export [--format F] [--date D] [--today D] [--template T] [--benref R] [--iat LIST] -o OUT PAYMENTS.csv\n"
    "  varrow calendar [DATE...]\n"
    "  varrow next-date [DATE...]\n"
    "  varrow status-text CODE...\n"
    "  varrow statement [--sort-code S --account A] [--json] FILE\n"
    "  varrow recognise FILE...\n"
    "\n"
    "'varrow COMMAND --help' explains a command.\n";

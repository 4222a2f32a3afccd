#include "cli/help.h"

namespace cli {

const char* const kMainUsage = "usage: varrow COMMAND [ARGS...]; see 'varrow --help'\n";

const char* const kMainHelp =
    "varrow - Varrow Online payment files and statements, without the host\n"
    "\n"
    "  varrow export [--format F] [--date D] [--today D] [--template T] [--benref R] [--iat LIST] -o OUT PAYMENTS.csv\n"
    "      writes the upload file OUT in format F (standard-domestic, domestic-template, bulk-list,\n"
    "      ad-hoc-bulk) from a CSV payment list and prints INDEX<TAB>STATUS<TAB>TEXT per payment,\n"
    "      then result<TAB>N; exits with the result code 0, 1 or 2, 3 for a refused date,\n"
    "      40 for more than 4000 payments\n"
    "  varrow calendar [DATE...]\n"
    "      DD/MM/YYYY banking 0, DD/MM/YYYY holiday N or DD/MM/YYYY weekend N for each date\n"
    "  varrow next-date [DATE...]\n"
    "      each date and the default processing date of a run started on it at 00:00\n"
    "  varrow status-text CODE...\n"
    "      the text of each payment status code, or an empty line where there is none\n"
    "  varrow statement [--sort-code S --account A] [--json] FILE\n"
    "  varrow recognise FILE...\n"
    "  varrow --version\n"
    "      the version of varrow\n"
    "\n"
    "Dates are written DD/MM/YYYY or YYYY-MM-DD; calendar and next-date read standard input when\n"
    "no date is given. A usage error exits 64. 'varrow COMMAND --help' explains a command.\n";

}  // namespace cli

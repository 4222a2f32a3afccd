// varrow: the component's payment files, calendar and statement reader, without the host.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/help.h"
#include "varrow_version.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace cli;

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"export", RunExport},           {"calendar", RunCalendar},   {"next-date", RunNextDate},
    {"status-text", RunStatusText},  {"statement", RunStatement}, {"recognise", RunRecognise},
};

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: no LF to CR LF translation on the standard streams.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    if (argc < 2) {
        std::fputs(cli::kMainUsage, stderr);
        return cli::kUsageError;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(cli::kMainHelp, stdout);
        return 0;
    }
    if (name == "--version") {
        std::fputs("varrow " VARROW_VERSION_TEXT "\n", stdout);
        return 0;
    }
    for (const auto& command : kCommands) {
        if (name == command.name) return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "varrow: unknown command '%s'; see 'varrow --help'\n", name.c_str());
    return cli::kUsageError;
}

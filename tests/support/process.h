#pragma once
#include <string>
#include <vector>

// Runs a program as its own process, as a user or a script would, and captures what it printed.
struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& standardInput = {});

// The varrow command built beside the test executable.
std::string VarrowPath();

// Shorthand: RunProcess(VarrowPath(), args, standardInput).
ProcessResult RunVarrow(const std::vector<std::string>& args, const std::string& standardInput = {});

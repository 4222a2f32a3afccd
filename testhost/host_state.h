#pragma once
// What the substitute host remembers inside its DLL: the calls it received, in order, and the
// answers a test scripted for it.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "testhost/substitute_host_api.h"

struct MethodFailure {
    HRESULT hr = E_FAIL;
    std::optional<std::wstring> description;  // published as error information when present
};

struct HostScript {
    std::optional<std::string> exportFileName;
    std::optional<std::string> exportExtension;
    std::optional<std::string> exportDirectory;
    LONG chooserOutcome = 1;  // by default the user leaves the chooser without a file
    std::optional<std::wstring> chooserPath;
    std::vector<std::string> chooserCandidates;
    std::map<std::pair<HostObjectKind, LONG>, MethodFailure> methodFailures;
    std::map<HostObjectKind, HRESULT> creationFailures;
};

struct HostState {
    bool recording = true;
    std::vector<std::wstring> calls;
    HostScript script;

    void Record(std::wstring line) {
        if (recording) calls.push_back(std::move(line));
    }

    const MethodFailure* FailureOf(HostObjectKind kind, LONG method) const {
        const auto found = script.methodFailures.find({kind, method});
        return found == script.methodFailures.end() ? nullptr : &found->second;
    }
};

// The one state of the loaded substitute host. Host objects live on one apartment's thread, as
// the component's do.
HostState& State();

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
    // The call that would be recorded at this position fails, whatever its object and method.
    std::optional<std::pair<LONG, MethodFailure>> failingCall;
};

struct HostState {
    bool recording = true;
    std::vector<std::wstring> calls;
    HostScript script;

    void Record(std::wstring line) {
        if (recording) calls.push_back(std::move(line));
    }

    // The failure scripted for the call about to be recorded, if any.
    const MethodFailure* FailureOf(HostObjectKind kind, LONG method) const {
        if (const MethodFailure* failure = FailureOfNextCall()) return failure;
        const auto found = script.methodFailures.find({kind, method});
        return found == script.methodFailures.end() ? nullptr : &found->second;
    }

    std::optional<HRESULT> CreationFailure(HostObjectKind kind) const {
        if (const MethodFailure* failure = FailureOfNextCall()) return failure->hr;
        const auto found = script.creationFailures.find(kind);
        return found == script.creationFailures.end() ? std::nullopt : std::optional<HRESULT>(found->second);
    }

    const MethodFailure* FailureOfNextCall() const {
        const auto& failing = script.failingCall;
        const bool next = recording && failing && static_cast<std::size_t>(failing->first) == calls.size();
        return next ? &failing->second : nullptr;
    }
};

// How many substitute objects are alive; a reset of the state leaves it alone.
LONG& LiveObjects();

// The one state of the loaded substitute host. Host objects live on one apartment's thread, as
// the component's do.
HostState& State();

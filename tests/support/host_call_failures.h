#pragma once
// A failure at every host call: the calls a successful run made, as the substitute host recorded
// them, and what the record of a run that failed at one of them looks like.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace host_calls {

using Lines = std::vector<std::string>;

// The failure every position gets: an error the component's own table does not name, so that
// passing it on as its own would show.
inline constexpr HRESULT kFailure = E_ACCESSDENIED;

// Each position fails once without error information and once with it.
struct Variant {
    const char* name;
    std::optional<std::wstring> description;
};
inline const Variant kVariants[] = {{"without error information", std::nullopt},
                                    {"with error information", L"the host refused"}};

// Whether a failure can be scripted at this call: a method call or a creation, not a release nor
// the chooser calling the component's recogniser.
bool CanFail(const std::string& call);

// The positions of `calls` that can fail.
std::vector<std::size_t> FailingPositions(const Lines& calls);

// The call as the substitute records it when it fails with kFailure.
std::string Failed(const std::string& call);

// Whether the object named by a call begins with `object`: "Payment[2].32 put_Status(0)" is of
// "Payment[2]" and of "Payment".
bool IsOf(const std::string& call, const std::string& object);

// The calls after `position`, releases left out.
Lines AfterWithoutReleases(const Lines& calls, std::size_t position);

// After a failed creation at `position`, the run goes on until its first call on that object,
// which raises: the calls of `succeeded` in between, releases left out.
Lines UntilFirstUse(const Lines& succeeded, std::size_t position);

// The first `count` calls, releases left out.
Lines BeforeWithoutReleases(const Lines& calls, std::size_t count);

}  // namespace host_calls

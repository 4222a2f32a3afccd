#include "tests/support/host_call_failures.h"

#include <regex>

#include "tests/support/com_support.h"

namespace host_calls {

namespace {

const std::regex kMethodCall(R"(^[A-Za-z]+(\[\d+\]|#\d+)?\.\d+ .*)");
const std::string kCreated = " created";
const std::string kReleased = " released";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

Lines WithoutReleases(Lines::const_iterator first, Lines::const_iterator last) {
    Lines kept;
    for (; first != last; ++first) {
        if (!EndsWith(*first, kReleased)) kept.push_back(*first);
    }
    return kept;
}

}  // namespace

bool CanFail(const std::string& call) { return EndsWith(call, kCreated) || std::regex_match(call, kMethodCall); }

std::vector<std::size_t> FailingPositions(const Lines& calls) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (CanFail(calls[i])) positions.push_back(i);
    }
    return positions;
}

std::string Failed(const std::string& call) {
    const std::string result = " -> " + com_test::HexText(kFailure);
    if (EndsWith(call, kCreated)) return call.substr(0, call.size() - kCreated.size()) + " creation" + result;
    return call.substr(0, call.find(" -> ")) + result;
}

bool IsOf(const std::string& call, const std::string& object) { return call.compare(0, object.size(), object) == 0; }

Lines AfterWithoutReleases(const Lines& calls, std::size_t position) {
    return position >= calls.size() ? Lines{} : WithoutReleases(calls.begin() + static_cast<std::ptrdiff_t>(position) + 1, calls.end());
}

Lines UntilFirstUse(const Lines& succeeded, std::size_t position) {
    const std::string& creation = succeeded[position];
    if (!EndsWith(creation, kCreated)) return {};
    const std::string object = creation.substr(0, creation.size() - kCreated.size()) + ".";
    Lines between;
    for (std::size_t i = position + 1; i < succeeded.size() && !IsOf(succeeded[i], object); ++i) {
        if (!EndsWith(succeeded[i], kReleased)) between.push_back(succeeded[i]);
    }
    return between;
}

Lines BeforeWithoutReleases(const Lines& calls, std::size_t count) {
    return WithoutReleases(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(std::min(count, calls.size())));
}

}  // namespace host_calls

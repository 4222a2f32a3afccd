#pragma once
#include <array>
#include <optional>
#include <string>

#include "payments/record_layouts.h"

// One upload line written by its record's layout. The writer gives the value of each content it
// has; the layout decides which of them the line carries and where, cleans and cuts text to its
// field's width, and fills the fixed fields itself.
class LayoutLine {
public:
    explicit LayoutLine(const RecordLayout& layout) : layout_(layout) {}

    // A value the layout has no field for is not written.
    LayoutLine& Set(FieldContent content, std::string value);
    bool Carries(FieldContent content) const { return layout_.Find(content) != nullptr; }

    // Appends the line, CR LF included. Throws std::logic_error when a field of the layout that is
    // not fixed was given no value.
    void AppendTo(std::string& out) const;

private:
    const RecordLayout& layout_;
    std::array<std::optional<std::string>, kFieldContentCount> values_;
};

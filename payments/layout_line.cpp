#include "payments/layout_line.h"

#include <stdexcept>

#include "payments/text_rules.h"

LayoutLine& LayoutLine::Set(FieldContent content, std::string value) {
    values_[static_cast<std::size_t>(content)] = std::move(value);
    return *this;
}

void LayoutLine::AppendTo(std::string& out) const {
    UploadLine line(out, layout_.fieldCount);
    for (const FieldSpec& field : layout_) {
        const FieldContentInfo& info = ContentInfo(field.content);
        if (field.content == FieldContent::RecordType) {
            line.Put(field.number, layout_.recordType);
            continue;
        }
        if (info.form == FieldForm::Fixed) {
            line.Put(field.number, info.fixedText);
            continue;
        }
        const auto& value = values_[static_cast<std::size_t>(field.content)];
        if (!value) throw std::logic_error(std::string("no value for ") + info.name + " of " + layout_.description);
        line.Put(field.number, info.form == FieldForm::Text ? CleanFirst(*value, field.width) : *value);
    }
    line.Finish();
}

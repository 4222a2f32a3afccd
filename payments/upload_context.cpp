#include "payments/upload_context.h"

#include "payments/date_text.h"
#include "payments/record_layouts.h"
#include "payments/text_rules.h"

namespace {
constexpr std::size_t kTemplateNameWidth = field_width::kTemplateName;
constexpr std::size_t kBeneficiaryReferenceWidth = field_width::kBeneficiaryReference;
constexpr std::size_t kFileNameWidth = field_width::kFileName;
}  // namespace

std::string_view FileNameOf(std::string_view path) {
    const auto separator = path.find_last_of("\\/:");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

UploadContext MakeUploadContext(const PaymentOptions& options, std::string_view outputPath) {
    UploadContext context;
    context.format = options.format;
    context.date = FormatFileDate(options.processingDate);
    context.templateName = CleanFirst(options.templateName.View(), kTemplateNameWidth);
    context.beneficiaryReference = CleanFirst(options.beneficiaryReference.View(), kBeneficiaryReferenceWidth);
    context.fileName = CleanFirst(FileNameOf(outputPath), kFileNameWidth);
    return context;
}

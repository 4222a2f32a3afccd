// Payment records per second through the upload file writers, and through the whole write phase
// into /dev/null, for a full batch (4000) and for a million payments; the write phase of a full
// batch with the bank's account number check of every payee, against the same without it; and the
// verifier reading a full batch's file back.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "accounts/table_choice.h"
#include "common/ole_date.h"
#include "payments/memory_payment.h"
#include "payments/payment_file.h"
#include "payments/payment_format.h"
#include "payments/upload_context.h"
#include "payments/upload_verifier.h"

namespace {

constexpr std::int32_t kPoolSize = 1000;
constexpr std::size_t kSinkBlock = 64 * 1024;

std::u16string Digits(int value, int width) {
    std::u16string text(static_cast<std::size_t>(width), u'0');
    for (int i = width - 1; i >= 0 && value > 0; --i, value /= 10) text[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + value % 10);
    return text;
}

// Payments of the kind a supplier run holds: formatted sort codes, names and references of
// ordinary length, a few IATs and a few invalid payments.
std::vector<PaymentRecord> SupplierPayments(std::int32_t count = kPoolSize) {
    std::vector<PaymentRecord> records(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        PaymentRecord& r = records[static_cast<std::size_t>(i)];
        r.Value = 12.34 * (i + 1) + 0.005 * (i % 3);
        r.PayerBankSortCode = u"12-34-56";
        r.PayerBankAccountNumber = u"12345678";
        r.PayeeBankSortCode = u"20-" + Digits(i % 100, 2) + u"-" + Digits(i % 97, 2);
        r.PayeeBankAccountNumber = i % 50 == 7 ? u"1234567" : Digits(10000000 + i * 37, 8);
        r.PayeeBankAccountName = u"Supplier " + Digits(i, 4) + u" & Sons, Ltd";
        r.PayeeBankBACSReference = u"INV-" + Digits(i * 7, 6);
        if (i % 5 == 0) r.PayeeBuildingSocietyRollNumber = u"ROLL/" + Digits(i, 5);
        r.Status = i % 20 == 0 ? 1 : 0;
    }
    return records;
}

// A long collection made of the pool's payments over and over, so that a million payments do
// not need a million records in memory.
class RepeatingPayments : public Payments {
public:
    explicit RepeatingPayments(std::int32_t count) : pool_(SupplierPayments()), count_(count) {}
    std::int32_t Count() const override { return count_; }
    std::unique_ptr<Payment> Item(std::int32_t index) override {
        if (index < 0 || index >= count_) return nullptr;
        return pool_.Item(index % kPoolSize);
    }

private:
    MemoryPayments pool_;
    std::int32_t count_;
};

PaymentOptions Options(PaymentFormat format) {
    PaymentOptions options;
    options.processingDate = *ToOleDate({2026, 12, 7}) + 0.5;
    options.format = format;
    options.templateName = "Rent-Q1";
    options.beneficiaryReference = "Dec run";
    return options;
}

void ReportRecords(benchmark::State& state, std::int64_t perIteration) {
    state.SetItemsProcessed(state.iterations() * perIteration);
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * perIteration), benchmark::Counter::kIsRate);
}

// The writers alone, into a memory sink that is emptied as a file's buffer would be.
void BM_Writers(benchmark::State& state) {
    const auto format = static_cast<PaymentFormat>(state.range(0));
    const auto count = static_cast<std::int32_t>(state.range(1));
    RepeatingPayments payments(count);
    const UploadContext context = MakeUploadContext(Options(format), "C:\\Payments\\run.csv");
    std::string sink;
    sink.reserve(kSinkBlock + 1024);
    const PaymentFormatInfo& writers = FormatInfo(format);
    for (auto _ : state) {
        if (writers.writeHeader) writers.writeHeader(sink, *payments.Item(0), context);
        for (std::int32_t i = 0; i < count; ++i) {
            writers.writeRecord(sink, *payments.Item(i), context);
            if (sink.size() >= kSinkBlock) {
                benchmark::DoNotOptimize(sink.data());
                sink.clear();
            }
        }
    }
    ReportRecords(state, count);
}

// The whole write phase: open, header, records, close, into /dev/null.
void BM_WritePaymentFile(benchmark::State& state) {
    const auto format = static_cast<PaymentFormat>(state.range(0));
    const auto count = static_cast<std::int32_t>(state.range(1));
    RepeatingPayments payments(count);
    const PaymentOptions options = Options(format);
    for (auto _ : state) {
        const PaymentFileOutcome outcome = WritePaymentFile(payments, options, "/dev/null");
        benchmark::DoNotOptimize(outcome);
    }
    ReportRecords(state, count);
}

// The write phase of a full batch with the account number check on, over the shipped tables read
// once as a run reads them (their reading is timed by accounts_bench).
void BM_WritePaymentFileChecked(benchmark::State& state) {
    const auto format = static_cast<PaymentFormat>(state.range(0));
    const auto count = static_cast<std::int32_t>(state.range(1));
    const ModulusTables tables = LoadTablesIn(VARROW_MODULUS_DIR).tables;
    RepeatingPayments payments(count);
    const PaymentOptions options = Options(format);
    for (auto _ : state) {
        const PaymentFileOutcome outcome = WritePaymentFile(payments, options, "/dev/null", &tables);
        benchmark::DoNotOptimize(outcome);
    }
    ReportRecords(state, count);
}

// The verifier on the file the writers make of a full batch of payments that all differ, held in
// memory.
void BM_VerifyUploadFile(benchmark::State& state) {
    const auto format = static_cast<PaymentFormat>(state.range(0));
    const auto count = static_cast<std::int32_t>(state.range(1));
    MemoryPayments payments(SupplierPayments(count));
    const UploadContext context = MakeUploadContext(Options(format), "C:\\Payments\\run.csv");
    const PaymentFormatInfo& writers = FormatInfo(format);
    std::string file;
    if (writers.writeHeader) writers.writeHeader(file, *payments.Item(0), context);
    for (std::int32_t i = 0; i < count; ++i) writers.writeRecord(file, *payments.Item(i), context);
    VerifyOptions options;
    options.format = format;
    options.today = *ToOleDate({2026, 12, 1});
    for (auto _ : state) benchmark::DoNotOptimize(VerifyUploadFile(file, options));
    ReportRecords(state, count);
}

void Formats(benchmark::internal::Benchmark* b) {
    b->ArgNames({"format", "payments"});
    for (const int format : {0, 1, 2, 3}) {
        for (const int count : {4000, 1000000}) b->Args({format, count});
    }
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Writers)->Apply(Formats);
BENCHMARK(BM_WritePaymentFile)->Apply(Formats);
BENCHMARK(BM_WritePaymentFileChecked)->ArgNames({"format", "payments"})->Args({0, 4000})->Args({3, 4000})->Unit(benchmark::kMillisecond);

BENCHMARK(BM_VerifyUploadFile)->ArgNames({"format", "payments"})->Args({0, 4000})->Args({2, 4000})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

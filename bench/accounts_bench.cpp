// UK modulus checks per second over the shipped tables, and the time to read the tables.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "accounts/account_check.h"
#include "accounts/table_choice.h"

namespace {

const std::string kWeightsPath = std::string(VARROW_MODULUS_DIR) + "/" + kShippedWeightsName;
const std::string kSubstitutionsPath = std::string(VARROW_MODULUS_DIR) + "/" + kShippedSubstitutionsName;

struct Account {
    std::string sortCode;
    std::string number;
};

// The official cases of the published description: between them every method, exception and
// way of combining two rows, mostly valid accounts.
const Account kOfficialCases[] = {
    {"089999", "66374958"}, {"107999", "88837491"}, {"202959", "63748472"}, {"871427", "46238510"},
    {"872427", "46238510"}, {"871427", "09123496"}, {"871427", "99123496"}, {"820000", "73688637"},
    {"827999", "73988638"}, {"827101", "28748352"}, {"134020", "63849203"}, {"118765", "64371389"},
    {"200915", "41011166"}, {"938611", "07806039"}, {"938600", "42368003"}, {"938063", "55065200"},
    {"772798", "99345694"}, {"086090", "06774744"}, {"309070", "02355688"}, {"309070", "12345668"},
    {"309070", "12345677"}, {"309070", "99345694"}, {"938063", "15764273"}, {"938063", "15764264"},
    {"938063", "15763217"}, {"118765", "64371388"}, {"203099", "66831036"}, {"203099", "58716970"},
    {"089999", "66374959"}, {"107999", "88837493"}, {"074456", "12345112"}, {"070116", "34012583"},
    {"074456", "11104102"}, {"180002", "00000190"},
};

std::string Digits(std::uint32_t value, std::size_t width) {
    std::string text(width, '0');
    for (std::size_t i = width; i-- > 0; value /= 10) text[i] = static_cast<char>('0' + value % 10);
    return text;
}

// Every range of the weight table, at its first and last sort code, with account numbers of all
// lengths (mostly eight digits, typed with and without hyphens, mostly failing the check), a few
// sort codes without rows, and the official cases in between.
std::vector<Account> Spread() {
    std::vector<Account> accounts;
    std::ifstream table(kWeightsPath, std::ios::binary);
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (std::string line; std::getline(table, line);) {
        for (const std::string& code : {line.substr(0, 6), line.substr(7, 6)}) {
            const std::uint32_t draw = next();
            const std::size_t length = draw % 10 < 7 ? 8 : 6 + draw / 16 % 5;
            std::string number = Digits(next() % 100000000 * 100 + draw % 100, length);
            if (draw % 3 == 0) number.insert(2, "-");
            accounts.push_back({draw % 2 ? code : code.substr(0, 2) + "-" + code.substr(2, 2) + "-" + code.substr(4), number});
        }
        if (accounts.size() % 50 < 2) accounts.push_back({Digits(990000 + next() % 9999, 6), "12345678"});
        accounts.push_back(kOfficialCases[accounts.size() % std::size(kOfficialCases)]);
    }
    return accounts;
}

void BM_CheckAccount(benchmark::State& state) {
    const ModulusTables tables = LoadModulusTables(kWeightsPath, kSubstitutionsPath);
    const std::vector<Account> accounts = Spread();
    std::size_t valid = 0;
    for (auto _ : state) {
        for (const Account& account : accounts) {
            const CheckOutcome outcome = CheckAccount(tables, account.sortCode, account.number);
            valid += outcome.result == CheckResult::Valid;
        }
    }
    benchmark::DoNotOptimize(valid);
    const auto checks = static_cast<double>(state.iterations() * accounts.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(checks));
    state.counters["accounts"] = static_cast<double>(accounts.size());
    state.counters["checks/s"] = benchmark::Counter(checks, benchmark::Counter::kIsRate);
}

void BM_LoadTables(benchmark::State& state) {
    for (auto _ : state) {
        const ModulusTables tables = LoadModulusTables(kWeightsPath, kSubstitutionsPath);
        benchmark::DoNotOptimize(tables.weights.RowCount());
    }
}

}  // namespace

BENCHMARK(BM_CheckAccount);
BENCHMARK(BM_LoadTables)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

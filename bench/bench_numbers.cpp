// Number texts and session strings.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/number_text.h"
#include "export/hours.h"

namespace {

using namespace tvz;

void HoursAndSessions(benchmark::State& state) {
  const std::vector<std::string> texts = {"1", "4", "2,5", "", "13", "14,5", "30", "0,5"};
  for (auto _ : state)
    for (const auto& t : texts) benchmark::DoNotOptimize(SessionString(HoursFromText(t)));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}
BENCHMARK(HoursAndSessions);

void TimePieces(benchmark::State& state) {
  const std::vector<std::string> pieces = {"08", "30", "09", "25", "14", "55"};
  for (auto _ : state)
    for (const auto& p : pieces) benchmark::DoNotOptimize(StrToInt(p));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pieces.size()));
}
BENCHMARK(TimePieces);

void Decimals(benchmark::State& state) {
  const std::vector<std::string> texts = {"1", "2.5", "1234.5678", "-0.25", "1E3"};
  for (auto _ : state)
    for (const auto& t : texts) benchmark::DoNotOptimize(StrToFloat(t));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}
BENCHMARK(Decimals);

}  // namespace

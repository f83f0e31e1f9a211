// ZARP records: both line readers, column fields, record skips, code lists.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "records/code_list.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace {

using namespace tvz;

// `n` assignment lines as zarp_asignatgrupo.txt has them.
std::string Assignments(long n) {
  std::string text = "0ZARP_ASIGNATGRUPO.TXT                             05000123010920250800\r\n";
  char line[64];
  for (long i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "1G%06ld         S%03ld\r\n", i % 5000, i % 997);
    text += line;
  }
  return text;
}

void LineReaderFromMemory(benchmark::State& state) {
  const std::string text = Assignments(state.range(0));
  std::string line;
  for (auto _ : state) {
    LineReader reader{std::string_view(text)};
    long lines = 0;
    while (reader.Next(line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(LineReaderFromMemory)->Arg(100000);

void LineReaderFromFile(benchmark::State& state) {
  const std::string text = Assignments(state.range(0));
  const auto file = std::filesystem::temp_directory_path() / "tvz-bench-lines.txt";
  std::ofstream(file, std::ios::binary) << text;
  std::string line;
  for (auto _ : state) {
    LineReader reader(file);
    long lines = 0;
    while (reader.Next(line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  std::filesystem::remove(file);
}
BENCHMARK(LineReaderFromFile)->Arg(100000);

void SplitLinesWhole(benchmark::State& state) {
  const std::string text = Assignments(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(SplitLines(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(SplitLinesWhole)->Arg(100000);

// The record loop of a converter without the table: skip test, two fields.
void RecordFields(benchmark::State& state) {
  const std::vector<std::string> lines = SplitLines(Assignments(state.range(0)));
  std::size_t bytes = 0;
  for (const auto& l : lines) bytes += l.size();
  for (auto _ : state) {
    for (const std::string& line : lines) {
      if (IsSkippedRecord(line, "ZARP_ASIGNATGRUPO.TXT")) continue;
      benchmark::DoNotOptimize(ColumnField(line, 16, 4));
      benchmark::DoNotOptimize(ColumnField(line, 2, 10));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(RecordFields)->Arg(100000);

// Codes as the catalogue converters drop duplicates: half of them repeat.
void CodeListAddIfNew(benchmark::State& state) {
  std::vector<std::string> codes;
  for (long i = 0; i < state.range(0); ++i) codes.push_back("C" + std::to_string(i % (state.range(0) / 2)));
  for (auto _ : state) {
    CodeList list;
    for (const auto& c : codes) benchmark::DoNotOptimize(list.AddIfNew(c));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * codes.size()));
}
BENCHMARK(CodeListAddIfNew)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Start times as the slot converter ranks them.
void SortedCodeListRank(benchmark::State& state) {
  std::vector<std::string> times;
  for (long i = 0; i < state.range(0); ++i) {
    char t[8];
    std::snprintf(t, sizeof t, "%02ld:%02ld", i / 60 % 24, i % 60);
    times.push_back(t);
  }
  for (auto _ : state) {
    SortedCodeList list;
    for (const auto& t : times) list.Add(t);
    for (const auto& t : times) benchmark::DoNotOptimize(list.IndexOf(t));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * times.size()));
}
BENCHMARK(SortedCodeListRank)->Arg(1440);

}  // namespace

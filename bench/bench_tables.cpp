// The table store: filling a new table (append, set fields, post), writing
// it, opening it again, walking it, editing in place, and locating.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "tables/dbf_table.h"

namespace {

using namespace tvz;
namespace fs = std::filesystem;

// A folder for the tables, in memory when the machine has /dev/shm; removed
// at exit.
struct BenchFolder {
  BenchFolder() {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    path = base / ("tvz-bench-" + std::to_string(::getpid()));
    fs::create_directories(path);
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

const fs::path& Folder() {
  static const BenchFolder folder;
  return folder.path;
}

// ASIGT's schema: the widest table of the export.
std::vector<FieldDef> Schema() {
  auto s = [](const char* n, int size) { return FieldDef{n, FieldType::ftString, size}; };
  return {s("CASIG", 10), s("CPROF", 10), s("CGRUP", 10), s("CAULA", 10), s("CTAREA", 10),
          s("TURNO", 1),  s("NIVEL", 5),  s("CURSO", 3),  s("GRUPO", 2),
          {"HORAS", FieldType::ftFloat, 0}, s("SESIONES", 20), s("NCONEX", 4)};
}

void Fill(DbfTable& t, long rows) {
  t.DatabaseName = Folder();
  t.TableName = "ASIGT.DBF";
  t.FieldDefs = Schema();
  t.CreateTable();
  for (long i = 0; i < rows; ++i) {
    t.Append();
    t.FieldByName("CASIG").SetAsString("S" + std::to_string(i % 997));
    t.FieldByName("CGRUP").SetAsString("G" + std::to_string(i % 5000));
    t.FieldByName("CTAREA").SetAsString("*LEC");
    t.Post();
  }
}

void AppendAndPost(benchmark::State& state) {
  for (auto _ : state) {
    DbfTable t;
    Fill(t, state.range(0));
    t.Close();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AppendAndPost)->Arg(100000)->Unit(benchmark::kMillisecond);

void FinishWritesTheFile(benchmark::State& state) {
  DbfTable t;
  Fill(t, state.range(0));
  for (auto _ : state) t.Finish();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() *
                                                    fs::file_size(Folder() / "ASIGT.DBF")));
}
BENCHMARK(FinishWritesTheFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void OpenAndWalk(benchmark::State& state) {
  {
    DbfTable t;
    Fill(t, state.range(0));
    t.Finish();
  }
  for (auto _ : state) {
    DbfTable t;
    t.DatabaseName = Folder();
    t.TableName = "ASIGT";
    t.Open();
    long n = 0;
    for (t.First(); !t.Eof(); t.Next()) n += static_cast<long>(t.FieldByName("CASIG").AsString().size());
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() *
                                                    fs::file_size(Folder() / "ASIGT.DBF")));
}
BENCHMARK(OpenAndWalk)->Arg(100000)->Unit(benchmark::kMillisecond);

// The third pass of ASIGT: every record edited in place.
void EditWalk(benchmark::State& state) {
  DbfTable t;
  Fill(t, state.range(0));
  for (auto _ : state) {
    for (t.First(); !t.Eof(); t.Next()) {
      t.Edit();
      t.FieldByName("HORAS").SetAsFloat(2.5);
      t.FieldByName("SESIONES").SetAsString("11\xBD");
      t.Post();
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(EditWalk)->Arg(100000)->Unit(benchmark::kMillisecond);

// Look-ups as the import makes them: the index is built once, then each
// locate is a hash probe.
void Locate(benchmark::State& state) {
  DbfTable t;
  Fill(t, state.range(0));
  long i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.Locate("CGRUP", "G" + std::to_string(i % 5000)));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Locate)->Arg(100000);

}  // namespace

// TSQLiteDataSet on large tables in a temporary file: opening to the first
// record shown, walking every record with Next (alone, and with a data
// source and a field data link per column attached, as a form of data-aware
// controls has them), Last then 100 times Prior, and one Edit and Post.
// Each case runs on 100,000 and on 1,000,000 rows; the same walk done with
// SQLite's own calls (one statement stepped over every row, reading each
// column) is measured beside it, so the cost of the data set's windows and
// records shows as a ratio even on a busy machine;
// the counters say how much the process's memory grew during the case
// (rss_kb, after the case) and at its peak (peak_kb, the high-water mark
// reset before the case), so the two sizes show whether memory follows the
// row count. The program counts its allocations: the walk reports how many
// it made per row once its first pass has grown the windows (allocs_per_row,
// 0 when walking allocates nothing).
//
//   build/bench/db_bench
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "bench/bench_memory.h"
#include "vcl/db.h"

using namespace vcl;

namespace {
std::atomic<long> Allocations{0};
} // namespace

// Out of line, so the compiler does not pair the malloc and free it sees.
__attribute__((noinline)) void* operator new(std::size_t Size) {
  ++Allocations;
  if (void* P = std::malloc(Size ? Size : 1))
    return P;
  throw std::bad_alloc();
}
__attribute__((noinline)) void operator delete(void* P) noexcept {
  std::free(P);
}
__attribute__((noinline)) void operator delete(void* P, std::size_t) noexcept {
  std::free(P);
}

namespace {

// The table of Rows rows, made once per size and removed at exit.
const std::string& Database(int Rows) {
  static std::map<int, std::string> Files;
  static struct TCleanup {
    ~TCleanup() {
      for (const auto& [Key, Path] : Files)
        for (const char* Suffix : {"", "-journal", "-wal", "-shm"})
          std::remove((Path + Suffix).c_str());
    }
  } Cleanup;
  auto It = Files.find(Rows);
  if (It != Files.end())
    return It->second;
  const std::string Path =
      "/tmp/db_bench_" + std::to_string(getpid()) + "_" + std::to_string(Rows) + ".db";
  TSQLiteDataSet Maker(nullptr);
  Maker.SetDatabaseName("file:" + Path + "?mode=rwc");
  Maker.ExecSQL("CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT NOT NULL,"
                " price CURRENCY, added DATE);"
                "BEGIN;"
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                std::to_string(Rows) +
                ") INSERT INTO items SELECT i, 'item ' || i, i % 1000 + 0.25,"
                " date('2000-01-01', '+' || (i % 9000) || ' days') FROM n;"
                "COMMIT");
  return Files[Rows] = Path;
}

std::unique_ptr<TSQLiteDataSet> OpenItems(int Rows, TJournalMode Mode = jmDefault) {
  auto Data = std::make_unique<TSQLiteDataSet>(nullptr);
  Data->SetDatabaseName(Database(Rows));
  Data->SetTableName("items");
  Data->SetJournalMode(Mode);
  Data->Open();
  return Data;
}

void BM_OpenToFirstRecord(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  Database(Rows);
  const bench::TMemory Memory;
  for (auto _ : State) {
    TSQLiteDataSet Data(nullptr);
    Data.SetDatabaseName(Database(Rows));
    Data.SetTableName("items");
    Data.Open();
    std::string Shown;
    for (int I = 0; I < Data.FieldCount(); ++I)
      Shown += Data.Fields()->Fields(I)->DisplayText();
    benchmark::DoNotOptimize(Shown);
  }
  Memory.Report(State);
}

// Range 1: 1 attaches a data source and a field data link per column, each
// reading its field's value on every move as a control showing it would.
void BM_WalkFirstToLast(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  auto Data = OpenItems(Rows);
  TField* Name = Data->FieldByName("name");
  TDataSource Source(nullptr);
  std::vector<std::unique_ptr<TFieldDataLink>> Links;
  long Shown = 0;
  if (State.range(1)) {
    Source.SetDataSet(Data.get());
    for (int I = 0; I < Data->FieldCount(); ++I) {
      auto& Link = Links.emplace_back(std::make_unique<TFieldDataLink>());
      Link->SetDataSource(&Source);
      Link->SetFieldName(Data->Fields()->Fields(I)->FieldName());
      Link->OnDataChange = [&Shown, L = Link.get()](TObject*) {
        Shown += static_cast<long>(L->Field()->Value().index());
      };
    }
  }
  const bench::TMemory Memory;
  auto Walk = [&] {
    int Count = 0;
    for (Data->First(); !Data->Eof(); Data->Next())
      Count += static_cast<int>(Name->Value().index());
    benchmark::DoNotOptimize(Count);
  };
  Walk(); // the windows grow to their full size
  const long Before = Allocations;
  long Walked = 0;
  for (auto _ : State) {
    Walk();
    Walked += Rows;
  }
  benchmark::DoNotOptimize(Shown);
  State.counters["allocs_per_row"] = static_cast<double>(Allocations - Before) / Walked;
  State.counters["rows"] = Rows;
  Memory.Report(State);
}

// The peer of the walk: SQLite alone, one statement over the whole table.
void BM_SQLiteStepAllRows(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  sqlite3* Db = nullptr;
  sqlite3_open_v2(Database(Rows).c_str(), &Db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_stmt* Stmt = nullptr;
  sqlite3_prepare_v2(Db, "SELECT id, name, price, added FROM items ORDER BY id", -1, &Stmt,
                     nullptr);
  for (auto _ : State) {
    long Sum = 0;
    while (sqlite3_step(Stmt) == SQLITE_ROW) {
      Sum += sqlite3_column_int64(Stmt, 0);
      Sum += std::string(reinterpret_cast<const char*>(sqlite3_column_text(Stmt, 1))).size();
      Sum += static_cast<long>(sqlite3_column_double(Stmt, 2));
      Sum += std::string(reinterpret_cast<const char*>(sqlite3_column_text(Stmt, 3))).size();
    }
    sqlite3_reset(Stmt);
    benchmark::DoNotOptimize(Sum);
  }
  sqlite3_finalize(Stmt);
  sqlite3_close(Db);
  State.counters["rows"] = Rows;
}

void BM_LastThenPrior100(benchmark::State& State) {
  auto Data = OpenItems(static_cast<int>(State.range(0)));
  const bench::TMemory Memory;
  for (auto _ : State) {
    Data->Last();
    for (int I = 0; I < 100; ++I)
      Data->Prior();
    benchmark::DoNotOptimize(Data->FieldByName("id")->AsInteger());
  }
  Memory.Report(State);
}

// Range 1: the journal mode the data set puts the file in: jmDelete, the
// rollback journal (every commit waits for the journal and the file), or
// jmWal (every commit waits for the log alone). bench/post_under_disk_load.sh runs it while
// another process writes to the disk.
void BM_EditPost(benchmark::State& State) {
  auto Data = OpenItems(static_cast<int>(State.range(0)), TJournalMode(State.range(1)));
  Data->MoveBy(500);
  TField* Name = Data->FieldByName("name");
  const bench::TMemory Memory;
  int Round = 0;
  for (auto _ : State) {
    Data->Edit();
    Name->SetAsString("renamed " + std::to_string(++Round));
    Data->Post();
  }
  Memory.Report(State);
}

} // namespace

BENCHMARK(BM_OpenToFirstRecord)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkFirstToLast)
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SQLiteStepAllRows)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastThenPrior100)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditPost)
    ->Args({100000, jmDelete})
    ->Args({1000000, jmDelete})
    ->Args({1000000, jmWal})
    ->Unit(benchmark::kMillisecond);

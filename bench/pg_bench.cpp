// TPgDataSet beside TSQLiteDataSet on the same rows, in one run: opening to
// the first record shown, walking every record with Next, Last then 100
// times Prior, and one Edit and Post, on 100,000 and 1,000,000 rows; and,
// as the floor of the walk, psql's own COPY (...) TO of the same rows. The
// PostgreSQL server is a throwaway one of the benchmark's own
// (scripts/pg-server.sh), on its Unix socket; the memory counters (see
// bench_memory.h) show whether memory follows the row count.
//
//   build/bench/pg_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "bench/bench_memory.h"
#include "vcl/pgdb.h"

using namespace vcl;

namespace {

const std::string ServerDir = "/tmp/pg_bench_" + std::to_string(getpid());
enum TEngine { SQLite, PostgreSQL };

std::string ConnInfo() {
  std::ifstream In(ServerDir + "/conninfo");
  std::string Line;
  std::getline(In, Line);
  return Line;
}

std::string SQLiteFile(int Rows) {
  return "/tmp/pg_bench_" + std::to_string(getpid()) + "_" + std::to_string(Rows) + ".db";
}

// The same rows in both engines, made once per size.
void MakeTables(int Rows) {
  const std::string N = std::to_string(Rows);
  TSQLiteDataSet Lite(nullptr);
  Lite.SetDatabaseName("file:" + SQLiteFile(Rows) + "?mode=rwc");
  Lite.ExecSQL("CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT NOT NULL, price CURRENCY,"
               " added DATE); BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1"
               " FROM n WHERE i < " +
               N +
               ") INSERT INTO items SELECT i, 'item ' || i,"
               " i % 1000 + 0.25, date('2000-01-01', '+' || (i % 9000) || ' days') FROM n;"
               " COMMIT");
  TPgDataSet Pg(nullptr);
  Pg.SetDatabaseName(ConnInfo());
  Pg.ExecSQL("CREATE TABLE items_" + N +
             " (id integer PRIMARY KEY, name text NOT NULL,"
             " price numeric(12,2), added date); INSERT INTO items_" +
             N +
             " SELECT i, 'item ' || i, i % 1000 + 0.25, date '2000-01-01' + i % 9000"
             " FROM generate_series(1, " +
             N + ") AS i");
  Pg.ExecSQL("VACUUM ANALYZE items_" + N); // alone: VACUUM runs outside a transaction
}

std::unique_ptr<TCustomSQLDataSet> Items(TEngine Engine, int Rows) {
  std::unique_ptr<TCustomSQLDataSet> Data;
  if (Engine == SQLite) {
    Data = std::make_unique<TSQLiteDataSet>(nullptr);
    Data->SetDatabaseName(SQLiteFile(Rows));
    Data->SetTableName("items");
  } else {
    Data = std::make_unique<TPgDataSet>(nullptr);
    Data->SetDatabaseName(ConnInfo());
    Data->SetTableName("items_" + std::to_string(Rows));
  }
  return Data;
}

TEngine EngineOf(const benchmark::State& State) {
  return State.range(0) == 0 ? SQLite : PostgreSQL;
}
int RowsOf(const benchmark::State& State) {
  return static_cast<int>(State.range(1));
}

void BM_OpenToFirstRecord(benchmark::State& State) {
  const bench::TMemory Memory;
  for (auto _ : State) {
    auto Data = Items(EngineOf(State), RowsOf(State));
    Data->Open();
    std::string Shown;
    for (int I = 0; I < Data->FieldCount(); ++I)
      Shown += Data->Fields()->Fields(I)->DisplayText();
    benchmark::DoNotOptimize(Shown);
  }
  Memory.Report(State);
}

void BM_WalkFirstToLast(benchmark::State& State) {
  auto Data = Items(EngineOf(State), RowsOf(State));
  Data->Open();
  TField* Name = Data->FieldByName("name");
  const bench::TMemory Memory;
  for (auto _ : State) {
    long Count = 0;
    for (Data->First(); !Data->Eof(); Data->Next())
      Count += static_cast<long>(Name->Value().index());
    benchmark::DoNotOptimize(Count);
  }
  Memory.Report(State);
}

// The floor of the walk: the server writing the same rows, in the same
// order, to psql, which throws them away.
void BM_PsqlCopyTo(benchmark::State& State) {
  const std::string Command =
      "psql -X -q \"" + ConnInfo() + "\" -c \"COPY (SELECT id, name, price, added FROM items_" +
      std::to_string(RowsOf(State)) + " ORDER BY id) TO STDOUT\" > /dev/null";
  for (auto _ : State)
    if (std::system(Command.c_str()) != 0)
      State.SkipWithError("psql failed");
}

void BM_LastThenPrior100(benchmark::State& State) {
  auto Data = Items(EngineOf(State), RowsOf(State));
  Data->Open();
  const bench::TMemory Memory;
  for (auto _ : State) {
    Data->Last();
    for (int I = 0; I < 100; ++I)
      Data->Prior();
    benchmark::DoNotOptimize(Data->FieldByName("id")->AsInteger());
  }
  Memory.Report(State);
}

void BM_EditPost(benchmark::State& State) {
  auto Data = Items(EngineOf(State), RowsOf(State));
  Data->Open();
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

// Arguments: the engine (0 SQLite, 1 PostgreSQL) and the rows.
void BothEngines(benchmark::internal::Benchmark* B) {
  for (int Rows : {100000, 1000000})
    for (int Engine : {0, 1})
      B->Args({Engine, Rows});
  B->ArgNames({"pg", "rows"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_OpenToFirstRecord)->Apply(BothEngines);
BENCHMARK(BM_WalkFirstToLast)->Apply(BothEngines);
BENCHMARK(BM_PsqlCopyTo)
    ->Args({1, 100000})
    ->Args({1, 1000000})
    ->ArgNames({"pg", "rows"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastThenPrior100)->Apply(BothEngines);
BENCHMARK(BM_EditPost)->Apply(BothEngines);

// The server and the files go however the run ends.
struct TScratch {
  const std::string Script = std::string(VALEDIT_PG_SCRIPT) + " ";
  bool Started = std::system((Script + "start " + ServerDir).c_str()) == 0;
  ~TScratch() {
    std::system((Script + "stop " + ServerDir).c_str());
    for (int Rows : {100000, 1000000})
      std::remove(SQLiteFile(Rows).c_str());
  }
};

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TScratch Scratch;
  if (!Scratch.Started)
    return 1;
  try {
    for (int Rows : {100000, 1000000})
      MakeTables(Rows);
    benchmark::RunSpecifiedBenchmarks();
  } catch (const std::exception& E) {
    std::fprintf(stderr, "pg_bench: %s\n", E.what());
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}

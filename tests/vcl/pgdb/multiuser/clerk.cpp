// A clerk of the multi-user test: random rows, random fields, random pauses.
#include "clerk.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#include <utility>

#include "vcl/pgdb.h"

namespace multiuser {

namespace {

using namespace vcl;

TRow Current(TDataSet& Data) {
  TRow Row;
  for (const char* Name : {"version", "a", "b", "c"})
    Row.push_back(Data.FieldByName(Name)->IsNull() ? "NULL" : Data.FieldByName(Name)->AsString());
  return Row;
}

std::string Classify(const std::string& Message) {
  if (Message.find("changed by another user") != std::string::npos)
    return "conflict";
  if (Message.find("it is not known whether it was saved") != std::string::npos)
    return "doubt";
  if (Message.find("connection to the database server was lost") != std::string::npos ||
      Message.find("Cannot connect") != std::string::npos)
    return "lost";
  return "other";
}

void Log(std::ofstream& Out, const std::string& Kind, int Id, const TRow& Read, const TRow& Written,
         const std::string& Message) {
  Out << Kind << '\t' << Id << '\t' << RowText(Read) << '\t' << RowText(Written) << '\t' << Message
      << std::endl;
}

std::string RandomValue(int Which, std::mt19937& Random) {
  if (Which == 1)
    return std::to_string(Random() % 1000);
  if (Which == 2)
    return "w" + std::to_string(Random() % 100000);
  return std::to_string(Random() % 100000) + "." + std::to_string(10 + Random() % 90);
}

// Changes one to three of the fields of the record being edited at random,
// each to another value than it holds, as the field shows it ("1.50" is the
// 1.5 a numeric column holds already): an edit that changes nothing writes
// nothing and makes no version. Row becomes the record as it is to be written.
void Change(TDataSet& Data, std::mt19937& Random, TRow& Row) {
  int Which[] = {1, 2, 3};
  std::shuffle(std::begin(Which), std::end(Which), Random);
  const int Fields = 1 + static_cast<int>(Random() % 3);
  for (int I = 0; I < Fields; ++I) {
    TField* Field = Data.FieldByName(Which[I] == 1 ? "a" : Which[I] == 2 ? "b" : "c");
    const std::string Before = Field->AsString();
    do
      Field->SetAsString(RandomValue(Which[I], Random));
    while (Field->AsString() == Before);
  }
  Row = Current(Data);
}

bool Exists(const std::string& Path) {
  return std::ifstream(Path).good();
}

// Waits (a minute at most) until the test has restarted the server, so that
// the restart lands while this clerk still has edits to make.
void AwaitRestart(const std::string& Marker) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!Exists(Marker) && std::chrono::steady_clock::now() < Deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace

std::string RowText(const TRow& Row) {
  std::string S;
  for (const std::string& V : Row)
    S += (S.empty() ? "" : "|") + V;
  return S;
}

int RunClerk(int Number, int Edits, const std::string& ConnInfo, const std::string& LogPath,
             const std::string& RestartMarker) {
  std::ofstream Out(LogPath);
  std::mt19937 Random(static_cast<unsigned>(Number * 7919 + 17));
  TPgDataSet Data(nullptr);
  Data.SetDatabaseName(ConnInfo);
  Data.SetTableName("ledger");
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
  bool Restarted = false;
  for (int Edit = 0; Edit < Edits && std::chrono::steady_clock::now() < Deadline;) {
    if (Edit >= Edits * 4 / 5 && !std::exchange(Restarted, true))
      AwaitRestart(RestartMarker);
    const int Id = 1 + static_cast<int>(Random() % Rows);
    TRow Read, Written;
    try {
      if (!Data.Active())
        Data.Open();
      Data.SetRecNo(Id);
      Data.Edit(); // reads the row as it is now
      Read = Current(Data);
      ++Edit;
      Change(Data, Random, Written);
      std::this_thread::sleep_for(std::chrono::microseconds(Random() % 3000));
      Data.Post();
      Log(Out, "ack", Id, Read, Current(Data), "");
    } catch (const EDatabaseError& E) {
      // The server out of reach (restarting), or what became of the edit.
      if (Read.empty()) {
        const std::string Kind = Classify(E.Message());
        Log(Out, Kind == "lost" ? "unreachable" : Kind, Id, Read, Written, E.Message());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        continue;
      }
      Log(Out, Classify(E.Message()), Id, Read, Written, E.Message());
      Data.Cancel();
    }
  }
  return 0;
}

std::vector<TEntry> ReadLog(const std::string& LogPath) {
  std::vector<TEntry> Entries;
  std::ifstream In(LogPath);
  std::string Line;
  auto Split = [](const std::string& S, char Sep) {
    std::vector<std::string> Parts;
    std::stringstream Stream(S);
    std::string Part;
    while (std::getline(Stream, Part, Sep))
      Parts.push_back(Part);
    return Parts;
  };
  while (std::getline(In, Line)) {
    const auto Parts = Split(Line, '\t');
    TEntry E;
    E.Kind = Parts.at(0);
    E.Id = std::stoi(Parts.at(1));
    E.Read = Split(Parts.at(2), '|');
    E.Written = Split(Parts.at(3), '|');
    E.Message = Parts.size() > 4 ? Parts[4] : "";
    Entries.push_back(std::move(E));
  }
  return Entries;
}

} // namespace multiuser

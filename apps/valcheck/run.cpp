#include "apps/valcheck/run.h"

#include "apps/valcheck/input.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace ValCheck {

namespace {

// A block ends after this many lines or bytes, whichever comes first.
constexpr std::size_t BlockLines = 4096;
constexpr std::size_t BlockBytes = 256 * 1024;

struct TBlock {
  // A value to judge: where it is in Data, and the line it was read from.
  struct TEntry {
    std::size_t Offset;
    std::size_t Length;
    long long LineNo;
  };
  std::string Data; // the values' bytes, one after the other
  std::vector<TEntry> Lines;
  std::size_t JudgedInPlace = 0; // lines judged as they were read
  TTextBuffer Out;
  TTextBuffer Reports;
  bool AllValid = true;
  bool Done = false;

  bool Full() const {
    return Lines.size() + JudgedInPlace >= BlockLines || Data.size() >= BlockBytes ||
           Out.Text.size() >= BlockBytes;
  }

  void Reset() {
    Data.clear();
    Lines.clear();
    JudgedInPlace = 0;
    Out.Text.clear();
    Reports.Text.clear();
    AllValid = true;
    Done = false;
  }
};

class TPipeline final : public TByteSink {
public:
  TPipeline(const TOptions& O, const std::vector<TJudge*>& Judges, TOutput& Out, TOutput& Reports)
      : FOptions(O), FJudges(Judges), FOut(Out), FReports(Reports),
        FMaxInFlight(2 * Judges.size()) {
    if (Judges.size() > 1)
      for (TJudge* J : Judges)
        FThreads.emplace_back([this, J] { Work(*J); });
  }

  ~TPipeline() {
    {
      const std::lock_guard<std::mutex> Lock(FMutex);
      FStop = true;
    }
    FWork.notify_all();
    for (std::thread& T : FThreads)
      T.join();
  }

  TRunResult Run(int Fd);

  // The bytes of an over-long line under --normalize: everything before
  // them is written first.
  void Write(std::string_view Bytes) override {
    if (!FPassing) {
      Submit();
      WriteFinished(0);
      FPassing = true;
    }
    FOut.Write(Bytes);
  }

private:
  bool Failed() const { return FOut.Error() != 0 || FReports.Error() != 0; }
  TBlock& Filling();
  void Submit();
  void WriteFinished(std::size_t Limit);
  void Work(TJudge& Judge);
  void JudgeBlock(TJudge& Judge, TBlock& Block);
  void JudgeLine(TJudge& Judge, TBlock& Block, long long LineNo, std::string_view Line);

  const TOptions& FOptions;
  const std::vector<TJudge*>& FJudges;
  TOutput& FOut;
  TOutput& FReports;
  const std::size_t FMaxInFlight;
  bool FPassing = false;
  bool FAnyRefused = false;

  std::vector<std::unique_ptr<TBlock>> FBlocks;
  std::vector<TBlock*> FFree;
  TBlock* FFilling = nullptr;

  std::mutex FMutex;
  std::condition_variable FWork; // a block is queued, or the end has come
  std::condition_variable FDone; // a block is judged
  std::deque<TBlock*> FQueue;    // waiting for a worker
  std::deque<TBlock*> FInFlight; // submitted and not yet written, in input order
  bool FStop = false;
  std::vector<std::thread> FThreads;
};

TRunResult TPipeline::Run(int Fd) {
  TRunResult Result;
  TInput Input(Fd, FOptions);
  TByteSink* Overflow = FOptions.Output == omNormalize ? this : nullptr;
  const std::string Label = FOptions.InputLabel();
  std::string_view Line;
  long long LineNo = 0;
  while (!Failed()) {
    const TInput::TKind Kind = Input.Next(Line, LineNo, Overflow);
    if (Kind == TInput::ikEnd)
      break;
    if (Kind == TInput::ikError) {
      Result.ReadError = Input.Error();
      break;
    }
    if (Kind == TInput::ikTooLong || Kind == TInput::ikBadRecord) {
      // Reported in its place: everything before it is written first.
      Submit();
      WriteFinished(0);
      if (FOptions.Output == omNormalize)
        FOut.Put('\n');
      if (Kind == TInput::ikTooLong) {
        ReportTooLong(LineNo, FOptions, FReports);
      } else {
        FReports.Location(Label, LineNo);
        FReports.Write(Line);
        FReports.Put('\n');
      }
      FPassing = false;
      Result.AllValid = false;
      continue;
    }
    TBlock& Block = Filling();
    if (FThreads.empty()) {
      // With no workers a line is judged where it was read, without a copy.
      JudgeLine(*FJudges.front(), Block, LineNo, Line);
      ++Block.JudgedInPlace;
    } else {
      Block.Lines.push_back({Block.Data.size(), Line.size(), LineNo});
      Block.Data.append(Line);
    }
    if (Block.Full())
      Submit();
  }
  Submit();
  WriteFinished(0);
  Result.AllValid = Result.AllValid && !FAnyRefused;
  return Result;
}

TBlock& TPipeline::Filling() {
  if (!FFilling) {
    if (FFree.empty()) {
      FBlocks.push_back(std::make_unique<TBlock>());
      FFree.push_back(FBlocks.back().get());
    }
    FFilling = FFree.back();
    FFree.pop_back();
    FFilling->Reset();
  }
  return *FFilling;
}

void TPipeline::Submit() {
  if (!FFilling)
    return;
  TBlock* Block = std::exchange(FFilling, nullptr);
  if (FThreads.empty()) {
    JudgeBlock(*FJudges.front(), *Block);
    Block->Done = true;
    FInFlight.push_back(Block);
  } else {
    {
      const std::lock_guard<std::mutex> Lock(FMutex);
      FQueue.push_back(Block);
      FInFlight.push_back(Block);
    }
    FWork.notify_one();
  }
  WriteFinished(FMaxInFlight);
}

// Writes the judged blocks at the head of the line, in order, and waits
// until no more than Limit blocks are in flight.
void TPipeline::WriteFinished(std::size_t Limit) {
  std::unique_lock<std::mutex> Lock(FMutex);
  for (;;) {
    while (!FInFlight.empty() && FInFlight.front()->Done) {
      TBlock* Block = FInFlight.front();
      FInFlight.pop_front();
      Lock.unlock();
      FOut.Write(Block->Out.Text);
      FReports.Write(Block->Reports.Text);
      if (!Block->AllValid)
        FAnyRefused = true;
      FFree.push_back(Block);
      Lock.lock();
    }
    if (FInFlight.size() <= Limit)
      return;
    FDone.wait(Lock);
  }
}

void TPipeline::Work(TJudge& Judge) {
  std::unique_lock<std::mutex> Lock(FMutex);
  for (;;) {
    FWork.wait(Lock, [this] { return FStop || !FQueue.empty(); });
    if (FQueue.empty())
      return;
    TBlock* Block = FQueue.front();
    FQueue.pop_front();
    Lock.unlock();
    JudgeBlock(Judge, *Block);
    Lock.lock();
    Block->Done = true;
    FDone.notify_one();
  }
}

void TPipeline::JudgeBlock(TJudge& Judge, TBlock& Block) {
  for (const TBlock::TEntry& E : Block.Lines)
    JudgeLine(Judge, Block, E.LineNo, std::string_view(Block.Data.data() + E.Offset, E.Length));
}

void TPipeline::JudgeLine(TJudge& Judge, TBlock& Block, long long LineNo, std::string_view Line) {
  // Reports go with the texts when they share an output, so that they keep
  // their order.
  TTextSink& Reports = &FReports == &FOut ? static_cast<TTextSink&>(Block.Out) : Block.Reports;
  if (!Judge.Judge(LineNo, Line, Block.Out, Reports))
    Block.AllValid = false;
}

} // namespace

TRunResult JudgeInput(int Fd, const TOptions& O, const std::vector<TJudge*>& Judges, TOutput& Out,
                      TOutput& Reports) {
  TPipeline Pipeline(O, Judges, Out, Reports);
  return Pipeline.Run(Fd);
}

} // namespace ValCheck

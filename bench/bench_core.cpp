// Throughput of the conversion core on real Chinese text, against a plain
// memcpy of the same bytes in the same run (the floor of any one-pass scan).
//
// The corpus is a GBK file named by MIVORA_CORPUS_GBK (bench/run_core.sh
// makes one from the Chinese manual pages); without it a synthetic text of
// level-1 characters and ASCII stands in.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "IMCode.h"
#include "PinyinStream.h"

namespace {

std::string SyntheticCorpus() {
  std::string Text;
  for (int I = 0; Text.size() < (8u << 20); ++I) {
    Text += static_cast<char>(0xB0 + I % 40);
    Text += static_cast<char>(0xA1 + I % 94);
    if (I % 7 == 0) Text += "ls -l\n";
  }
  return Text;
}

const std::string& Corpus() {
  static const std::string Text = [] {
    if (const char* Path = std::getenv("MIVORA_CORPUS_GBK")) {
      std::ifstream File(Path, std::ios::binary);
      std::ostringstream Bytes;
      Bytes << File.rdbuf();
      if (File && !Bytes.str().empty()) return Bytes.str();
      std::fprintf(stderr, "cannot read %s; using a synthetic text\n", Path);
    }
    return SyntheticCorpus();
  }();
  return Text;
}

void MemcpyFloor(benchmark::State& State) {
  const std::string& Text = Corpus();
  std::string Copy(Text.size(), '\0');
  for (auto _ : State) {
    std::memcpy(Copy.data(), Text.data(), Text.size());
    benchmark::DoNotOptimize(Copy.data());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(State.iterations() * Text.size());
}
BENCHMARK(MemcpyFloor);

void WholeText(benchmark::State& State) {
  const std::string& Text = Corpus();
  const int Mode = static_cast<int>(State.range(0));
  std::size_t Out = 0;
  for (auto _ : State) {
    std::string Result = IMCode::TextToPinyin(Text, Mode, INT_MAX);
    Out = Result.size();
    benchmark::DoNotOptimize(Result.data());
  }
  State.SetBytesProcessed(State.iterations() * Text.size());
  State.counters["out_per_in"] = double(Out) / double(Text.size());
}
BENCHMARK(WholeText)->ArgName("mode")->Arg(1)->Arg(0)->Arg(3)->Arg(5);

void StreamInBlocks(benchmark::State& State) {
  const std::string& Text = Corpus();
  const std::size_t Block = 64 * 1024;
  for (auto _ : State) {
    std::size_t Out = 0;
    IMCode::TPinyinStream Stream(
        1, INT_MAX, [&Out](std::string_view P) { Out += P.size(); });
    for (std::size_t At = 0; At < Text.size(); At += Block)
      Stream.Feed(std::string_view(Text).substr(At, Block));
    Stream.Finish();
    benchmark::DoNotOptimize(Out);
  }
  State.SetBytesProcessed(State.iterations() * Text.size());
}
BENCHMARK(StreamInBlocks);

// The window's call: a limit of 255 bytes stops the scan at the cut, so the
// cost does not grow with the text (here 100 MB).
void CutAt255(benchmark::State& State) {
  static const std::string Huge = [] {
    std::string Text;
    while (Text.size() < (100u << 20)) Text += Corpus();
    return Text;
  }();
  for (auto _ : State) {
    std::string Result = IMCode::TextToPinyin(Huge, 1, 255);
    benchmark::DoNotOptimize(Result.data());
  }
}
BENCHMARK(CutAt255)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// A report-sized loop: 100,000 passes of @for, each calling @define and
// writing one line.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/disk.h"
#include "platform/system.h"
#include "template/parser.h"

namespace zeb {
namespace {

const char kTemplate[] =
    "@for(@i, 1, 100000)\r\n"
    "@define(@total, @i)\r\n"
    "Line @i of @total\r\n"
    "@end\r\n";

void BM_ForLoopWithDefine(benchmark::State& state) {
  const std::string path = "/tmp/zeb_template_bench_" + std::to_string(CurrentThreadId()) + ".tpl";
  std::string error;
  {
    auto file = Disk().OpenFile(path, OpenMode::Create, error);
    if (file == nullptr || !file->Write(kTemplate, sizeof kTemplate - 1) || !file->Close()) {
      state.SkipWithError("cannot write the template");
      return;
    }
  }
  size_t bytes = 0;
  for (auto _ : state) {
    TTemplateParser parser(false, path);
    parser.Run();
    bytes = parser.Size();
    benchmark::DoNotOptimize(bytes);
  }
  Disk().RemoveFile(path);
  state.counters["output_bytes"] = static_cast<double>(bytes);
  state.counters["passes_per_s"] = benchmark::Counter(100000.0 * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ForLoopWithDefine)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zeb

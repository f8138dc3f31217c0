// Merging and sorting a big hub's queue: 1,000,000 records for 100,000 nodes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/domains.h"
#include "config/records.h"
#include "outbound/for_queue.h"
#include "outbound/queue.h"
#include "outbound/queue_manager.h"
#include "reports/sort_queue.h"
#include "support/text_store.h"

namespace zeb {
namespace {

constexpr int kRecords = 1000000;
constexpr int kNodes = 100000;

// Records spread over the nodes in a scattered order, as directory scans
// meet them, with varied sizes, kinds, flavours and times.
std::vector<TForQueue> HubRecords() {
  static TTextStore names;  // the records refer to their names
  std::vector<TForQueue> records;
  records.reserve(kRecords);
  uint32_t seed = 12345;
  for (int i = 0; i < kRecords; ++i) {
    seed = seed * 1103515245u + 12345u;
    const uint32_t n = (seed >> 8) % kNodes;
    const TNetAddr addr{0, static_cast<uint16_t>(n / 3000 + 1), static_cast<uint16_t>(n / 3 % 1000 + 1),
                        static_cast<uint16_t>(1 + n % 3)};
    records.push_back(TForQueue{addr, static_cast<uint8_t>(3 + seed % 6), static_cast<uint8_t>(1 + (seed >> 4) % 3),
                                names.Keep("/var/spool/ftn/outbound/0" + std::to_string(seed) + ".pkt"),
                                static_cast<int64_t>(seed % 500000), 0x5C210000u + (seed >> 16) % 0x4000});
  }
  return records;
}

TMainConfig HubConfig() {
  TMainConfig config;
  TDomain* fido = GetOrAddDomain(config, "fidonet");
  for (uint16_t zone : {1, 2, 3}) AddZone(*fido, zone);
  const uint8_t orders[][7] = {{kSortSize, kSortAddress}, {kSortFlavour, kSortDays, kSortAddress}, {kSortAddress}};
  for (const auto& keys : orders) {
    auto report = std::make_unique<TReport>();
    report->Domains.Insert(fido);
    std::copy(std::begin(keys), std::end(keys), report->SortBy.begin());
    config.Reports.push_back(std::move(report));
  }
  return config;
}

// The whole road: hand-over on this thread, merging on the manager thread,
// then the division among three reports.
void BM_HandOverMergeAndSort(benchmark::State& state) {
  const std::vector<TForQueue> records = HubRecords();
  const TMainConfig config = HubConfig();
  for (auto _ : state) {
    TForQueueList list;
    TQueue queue;
    {
      TQueueManager manager;
      StartQueueManager(manager, {&list, 1}, queue, true);
      for (const TForQueue& r : records) AddToQueue(list, r.Addr, r.Name, r.Size, r.Time, r.Flavour, r.Kind);
      StopQueueManager(manager);
    }
    const std::vector<TReportShare> shares = SortQueue(config.Reports, queue);
    benchmark::DoNotOptimize(shares[0].ReportNodes->size());
    state.PauseTiming();
    queue.Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HandOverMergeAndSort)->Unit(benchmark::kMillisecond)->Iterations(3);

// Merging alone, on one thread.
void BM_MergeRecords(benchmark::State& state) {
  const std::vector<TForQueue> records = HubRecords();
  TQueue queue;
  for (auto _ : state) {
    for (const TForQueue& r : records) MergeRecord(queue, r);
    benchmark::DoNotOptimize(queue.Count());
    state.PauseTiming();
    queue.Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MergeRecords)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zeb

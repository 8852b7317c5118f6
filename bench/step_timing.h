#pragma once
// Timing of single steps for the benchmarks that report a median and a 99th percentile beside the
// copy of one 840 x 480 frame measured in the same run. Times are the thread's own processor time:
// on a shared machine the wall clock would count the time other programs hold the processor.
// (<chrono> cannot be compiled into CP932: its unit suffix has a micro sign.)
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace step_timing {

inline double NowMicros() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The sample at fraction p (0.5 the median, 0.99 the 99th percentile) of the samples sorted.
inline double Percentile(std::vector<double> samples, double p) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const auto at = static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1) + 0.5);
  return samples[std::min(at, samples.size() - 1)];
}

// The median copy of one window's worth of pixels (840 x 480, three bytes each).
inline double FrameCopyMicros() {
  std::vector<std::uint8_t> from(840 * 480 * 3, 0x5A), to(840 * 480 * 3);
  std::vector<double> samples;
  for (int i = 0; i < 300; ++i) {
    from[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    const double start = NowMicros();
    std::memcpy(to.data(), from.data(), to.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    samples.push_back(NowMicros() - start);
  }
  return Percentile(samples, 0.5);
}

// Sets the counters of a step timed sample by sample: its median and 99th percentile in
// microseconds and in frame copies, and the frame copy itself.
inline void Report(benchmark::State& state, const std::vector<double>& samples, double frame_copy_us) {
  const double median = Percentile(samples, 0.5), p99 = Percentile(samples, 0.99);
  state.counters["median_us"] = median;
  state.counters["p99_us"] = p99;
  state.counters["frame_copy_us"] = frame_copy_us;
  state.counters["median_frames"] = median / frame_copy_us;
  state.counters["p99_frames"] = p99 / frame_copy_us;
}

}  // namespace step_timing

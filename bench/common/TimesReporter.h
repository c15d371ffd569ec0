#pragma once
// A console reporter that also keeps the processor time per pass of every
// benchmark, so a program can print its own table of ratios at the end. With
// repetitions the median is kept, also when only the aggregates are reported
// (single runs never reach the reporter then). Processor time, so that other
// work on the machine does not count.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TimesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const std::string name = r.run_name.function_name;
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
        times_[name] = r.GetAdjustedCPUTime();
        medians_[name] = true;
      } else if (r.run_type == Run::RT_Iteration && !medians_[name]) {
        times_[name] = r.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

 protected:
  // The time of one pass of `name`; 0 when it did not run.
  double Time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> times_;
  std::map<std::string, bool> medians_;
};

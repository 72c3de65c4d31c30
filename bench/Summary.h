// The figures the benchmarks are judged by, gathered while they run and printed at the end
// beside their targets.
#pragma once

#include <map>
#include <string>

namespace quillet::bench {

struct Figure {
  double value = 0;
  std::string unit;
  double target = 0;
  bool atMost = true;  // the target is a ceiling (else a floor)
};

inline std::map<std::string, Figure>& figures() {
  static std::map<std::string, Figure> f;
  return f;
}

inline void record(const std::string& name, double value, std::string unit, double target, bool atMost) {
  figures()[name] = Figure{value, std::move(unit), target, atMost};
}

}  // namespace quillet::bench

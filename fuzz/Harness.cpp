// libFuzzer entry for one check of Checks.h, chosen at build time by QUILLET_FUZZ_TARGET.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const quillet::fuzz::Check check = quillet::fuzz::checkFor(QUILLET_FUZZ_TARGET);
  const std::string failure = check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "%s: %s\n", QUILLET_FUZZ_TARGET, failure.c_str());
    std::abort();
  }
  return 0;
}

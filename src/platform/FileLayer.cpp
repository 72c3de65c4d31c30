// The parts of the file layer that every platform shares: error texts and the fault seam.
#include "platform/FileLayer.h"

#include <array>
#include <system_error>

namespace quillet::files {
namespace {

struct Plan {
  Op op = Op::Open;
  int nth = 0;  // 0: no fault planned
  int error = 0;
  bool onward = false;
  std::array<int, 8> calls{};
};

Plan& plan() {
  static Plan p;
  return p;
}

}  // namespace

std::string causeText(int error) {
  if (error == kNotRegular) return "not a regular file";
  return std::generic_category().message(error);
}

void failNth(Op op, int nth, int error, bool onward) { plan() = Plan{op, nth, error, onward, {}}; }

void clearFaults() { plan() = Plan{}; }

int injectedFault(Op op) {
  Plan& p = plan();
  const int count = ++p.calls[static_cast<std::size_t>(op)];
  return p.nth > 0 && p.op == op && (count == p.nth || (p.onward && count > p.nth)) ? p.error : 0;
}

int writeFile(const std::filesystem::path& file, std::string_view bytes) {
  AtomicWrite write(file);
  if (const int error = write.prepare(bytes)) return error;
  return write.commit();
}

}  // namespace quillet::files

// libFuzzer target for the import reader; built by tests/fuzz/build.sh, not by CMake.
#include <cstdio>
#include <cstdlib>

#include "fuzz/ImportHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string fault = vimo::test::CheckImportOf(data, size);
  if (!fault.empty()) {
    std::fprintf(stderr, "property broken: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}

// Runs the inputs kept for one fuzz target through its entry point: the
// inputs that once made the target fail, and its seeds. The entry point aborts
// where a contract breaks, and in the sanitizer build the sanitizers end the
// test at anything they see; the last input named on standard error is the
// culprit then.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// Every file under the folders of PUFFEL_FUZZ_INPUTS ("|" between them), in
// name order; a folder that does not exist holds none.
std::vector<fs::path> keptInputs() {
  std::vector<fs::path> inputs;
  const std::string folders = PUFFEL_FUZZ_INPUTS;
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t bar = std::min(folders.find('|', start), folders.size());
    const fs::path folder = folders.substr(start, bar - start);
    start = bar + 1;
    if (folder.empty() || !fs::is_directory(folder)) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

TEST(FuzzInputs, EveryKeptInputRunsThroughTheEntryPoint) {
  const std::vector<fs::path> inputs = keptInputs();
  EXPECT_FALSE(inputs.empty()) << "no seeds found in " << PUFFEL_FUZZ_INPUTS;
  for (const fs::path& path : inputs) {
    std::cerr << "input: " << path.string() << std::endl;
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0) << path;
  }
}

}  // namespace

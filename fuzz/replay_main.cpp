// Runs a fuzz target over saved inputs without libFuzzer, so the native
// build (GCC, sanitizers) replays every corpus on each test run. Arguments
// are files or directories; a directory contributes its regular files in
// name order. Each input sits in a heap block of exactly its size, as under
// libFuzzer, so reads past the end show.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool ReadFile(const fs::path& path, std::vector<char>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool Replay(const fs::path& path) {
  std::vector<char> bytes;
  if (!ReadFile(path, &bytes)) {
    std::fprintf(stderr, "replay: cannot read %s\n", path.string().c_str());
    return false;
  }
  const std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), input.get());
  // Named before running, so a sanitizer report can be traced to its file.
  std::fprintf(stderr, "replay: %s (%zu bytes)\n", path.string().c_str(), bytes.size());
  LLVMFuzzerTestOneInput(input.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR_OR_FILE...\n", argv[0]);
    return 2;
  }
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg(argv[i]);
    std::error_code error;
    if (fs::is_directory(arg, error)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::directory_iterator(arg, error)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
      for (const auto& file : files) {
        if (!Replay(file)) return 1;
        ++replayed;
      }
    } else {
      if (!Replay(arg)) return 1;
      ++replayed;
    }
  }
  // An empty or misspelt corpus would otherwise pass without testing a thing.
  if (replayed == 0) {
    std::fprintf(stderr, "replay: no inputs found\n");
    return 1;
  }
  std::printf("replayed %zu inputs\n", replayed);
  return 0;
}

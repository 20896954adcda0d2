// Loads a description the way every driver entry point does and checks the
// handle it gets: exits 0 when the image is the one the text compiles to.
// Started many times at once by the cache race tests.
#include <cstring>
#include <vector>

#include "devdesc/ddf.h"
#include "devdesc/ddf_compiler.h"
#include "support/processes.h"

#ifdef _WIN32
#include "platform/win32/win32_ports.h"
#else
#include "platform/posix/posix_ports.h"
#endif

int main(int argc, char** argv) {
  if (argc != 2) return 2;
#ifdef _WIN32
  tqr::ScopedPorts ports(tqr::win32::Win32Ports());
#else
  tqr::ScopedPorts ports(tqr::posix::PosixPorts());
#endif
  std::string text;
  std::vector<std::uint8_t> expected;
  if (!tqr::test::ReadWholeFile(argv[1], &text) ||
      !tqr::ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(text.data()),
                                    text.size(), &expected, nullptr)) {
    return 3;
  }
  tqr::DdfHandle handle = tqr::DdfLoad(argv[1]);
  if (handle == nullptr) return 4;
  const bool same = std::memcmp(handle, expected.data(), expected.size()) == 0;
  tqr::DdfFree(&handle);
  return same ? 0 : 5;
}

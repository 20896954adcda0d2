#include <iostream>
#include <string>
#include <vector>

#include "ddfcheck.h"

#ifdef _WIN32
#include "platform/win32/win32_ports.h"
#else
#include "platform/posix/posix_ports.h"
#endif

namespace {

constexpr char kUsage[] =
    "usage: ddfcheck FILE.DDF\n"
    "       ddfcheck --dump FILE.DDF\n"
    "       ddfcheck --query FILE.DDF FEATURE KIND [INDEX [SIZE]]\n";

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  tqr::ScopedPorts ports(tqr::win32::Win32Ports());
#else
  tqr::ScopedPorts ports(tqr::posix::PosixPorts());
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0][0] != '-') return ddfcheck::Check(args[0], std::cout);
  if (args.size() == 2 && args[0] == "--dump") return ddfcheck::Dump(args[1], std::cout);
  if (args.size() >= 4 && args.size() <= 6 && args[0] == "--query") {
    return ddfcheck::Query(args[1], std::vector<std::string>(args.begin() + 2, args.end()),
                           std::cout);
  }
  std::cerr << kUsage << "KIND is a number or a name: " << ddfcheck::QueryKinds() << '\n';
  return ddfcheck::kExitUsage;
}

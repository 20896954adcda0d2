// tqrctl install and the user's default printer, which the common dialogs and
// wordpad open on: made the default when there is none or when asked, kept
// across a reinstall, and otherwise left alone.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "installed_printer.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

// Where Wine's spooler, like Windows', keeps the user's default printer.
constexpr wchar_t kWindowsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr wchar_t kDeviceValue[] = L"Device";

std::wstring DefaultPrinter() {
  wchar_t name[512] = {};
  DWORD chars = 512;
  return GetDefaultPrinterW(name, &chars) ? std::wstring(name) : std::wstring();
}

// The registry value saved and taken away, so the prefix has no default
// printer; put back as it was at the end.
class NoDefaultPrinter {
 public:
  NoDefaultPrinter() {
    DWORD size = sizeof saved_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue, RRF_RT_REG_SZ, nullptr,
                        saved_, &size) == ERROR_SUCCESS;
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue);
  }
  ~NoDefaultPrinter() {
    if (!had_) {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue);
      return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue, REG_SZ, saved_,
                    static_cast<DWORD>((wcslen(saved_) + 1) * sizeof(wchar_t)));
  }
  NoDefaultPrinter(const NoDefaultPrinter&) = delete;
  NoDefaultPrinter& operator=(const NoDefaultPrinter&) = delete;

 private:
  wchar_t saved_[1024] = {};
  bool had_ = false;
};

TEST(TqrctlDefaultPrinter, InstallMakesTheDefaultWhenThereIsNoneOrWhenAsked) {
  NoDefaultPrinter none;
  ASSERT_EQ(DefaultPrinter(), L"");
  const std::wstring tag = RunTag();
  const std::wstring first = L"TQR54 default " + tag;
  const std::wstring second = L"TQR54 other " + tag;
  const struct {
    const wchar_t* doing;
    std::wstring printer;
    bool makeDefault;
    std::wstring expected;
  } steps[] = {
      {L"first install, no default yet", first, false, first},
      {L"another printer, a default exists", second, false, first},
      {L"reinstalling the default", first, false, first},
      {L"reinstalling another", second, false, first},
      {L"--default", second, true, second},
      {L"reinstalling the new default", second, false, second},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(Narrow(step.doing));
    std::vector<std::wstring> args = {L"install", L"--printer", step.printer};
    if (step.makeDefault) args.push_back(L"--default");
    const TqrctlRun run = RunTqrctl(args);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(DefaultPrinter(), step.expected) << run.output;
  }
  for (const std::wstring& printer : {first, second}) {
    const TqrctlRun run = RunTqrctl({L"uninstall", L"--printer", printer});
    EXPECT_EQ(run.exitCode, 0) << run.output;
  }
}

}  // namespace
}  // namespace tqr::test

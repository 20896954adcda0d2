// caps: every DeviceCapabilitiesW answer for the printer, lists side by side.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tqrctl/columns.h"
#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

// Far above any real list; a count beyond it is a broken answer, not a buffer to allocate.
constexpr int kMostItems = 10000;

// Name slot widths, in characters, as the platform fixes them.
constexpr std::size_t kPaperNameWidth = 64;
constexpr std::size_t kBinNameWidth = 24;
constexpr std::size_t kPersonalityWidth = 32;
constexpr std::size_t kLongNameWidth = 64;

class Capabilities {
 public:
  explicit Capabilities(const std::wstring& device) : device_(device) {}

  int Value(WORD capability) const {
    return DeviceCapabilitiesW(device_.c_str(), nullptr, capability, nullptr, nullptr);
  }

  // A list answer: `count` items of `perItem` elements. -1 when the driver does not
  // answer this capability.
  template <typename T>
  int List(WORD capability, const char* name, std::size_t perItem, std::vector<T>* items) {
    items->clear();
    const int count = Value(capability);
    if (count < 0) return -1;
    if (count > kMostItems) {
      Fail(std::string(name) + " claims " + std::to_string(count) + " items");
      sound_ = false;
      return -1;
    }
    // One spare item, so that a driver writing one too many shows as a wrong count.
    items->assign((static_cast<std::size_t>(count) + 1) * perItem, T{});
    const int filled = DeviceCapabilitiesW(device_.c_str(), nullptr, capability,
                                           reinterpret_cast<LPWSTR>(items->data()), nullptr);
    if (filled != count) {
      Fail(std::string(name) + " counts " + std::to_string(count) + " items but fills " +
           std::to_string(filled));
      sound_ = false;
    }
    items->resize(static_cast<std::size_t>(count) * perItem);
    return count;
  }

  std::vector<std::string> Names(WORD capability, const char* name, std::size_t width) {
    std::vector<wchar_t> slots;
    const int count = List(capability, name, width, &slots);
    return count < 0 ? std::vector<std::string>() : SlotTexts(slots.data(), count, width);
  }

  // Prints a list whose columns come from separate answers; `count` is the first
  // answer's, -1 when the driver does not answer it.
  void Section(const std::string& heading, int count, const std::vector<Column>& columns) {
    if (count < 0) {
      std::printf("\n%s: not answered\n", heading.c_str());
    } else {
      std::printf("\n%s: %d\n", heading.c_str(), count);
      std::fputs(SideBySide(columns).c_str(), stdout);
    }
    if (!SameLength(columns)) {
      Fail(heading + ": the answers differ in length");
      sound_ = false;
    }
  }

  bool sound() const { return sound_; }

 private:
  const std::wstring& device_;
  bool sound_ = true;
};

template <typename T>
Column Numbers(const char* title, const std::vector<T>& values, std::size_t stride = 1,
               std::size_t first = 0) {
  Column column{title, {}, true};
  for (std::size_t i = first; i < values.size(); i += stride) {
    column.cells.push_back(std::to_string(values[i]));
  }
  return column;
}

void PrintPapers(Capabilities& caps) {
  std::vector<WORD> ids;
  std::vector<POINT> sizes;
  const int count = caps.List(DC_PAPERS, "DC_PAPERS", 1, &ids);
  caps.List(DC_PAPERSIZE, "DC_PAPERSIZE", 1, &sizes);
  Column width{"width", {}, true};
  Column length{"length", {}, true};
  for (const POINT& size : sizes) {
    width.cells.push_back(std::to_string(size.x));
    length.cells.push_back(std::to_string(size.y));
  }
  caps.Section(
      "Papers (DC_PAPERS, DC_PAPERNAMES, DC_PAPERSIZE in 0.1 mm)", count,
      {Numbers("id", ids),
       Column{"name", caps.Names(DC_PAPERNAMES, "DC_PAPERNAMES", kPaperNameWidth)}, width, length});
}

void PrintBins(Capabilities& caps) {
  std::vector<WORD> ids;
  const int count = caps.List(DC_BINS, "DC_BINS", 1, &ids);
  caps.Section(
      "Bins (DC_BINS, DC_BINNAMES)", count,
      {Numbers("id", ids), Column{"name", caps.Names(DC_BINNAMES, "DC_BINNAMES", kBinNameWidth)}});
}

void PrintResolutions(Capabilities& caps) {
  std::vector<LONG> pairs;
  const int count = caps.List(DC_ENUMRESOLUTIONS, "DC_ENUMRESOLUTIONS", 2, &pairs);
  caps.Section("Resolutions (DC_ENUMRESOLUTIONS, dots per inch)", count,
               {Numbers("x", pairs, 2, 0), Numbers("y", pairs, 2, 1)});
}

void PrintMediaTypes(Capabilities& caps) {
  std::vector<DWORD> ids;
  const int count = caps.List(DC_MEDIATYPES, "DC_MEDIATYPES", 1, &ids);
  caps.Section(
      "Media types (DC_MEDIATYPES, DC_MEDIATYPENAMES)", count,
      {Numbers("id", ids),
       Column{"name", caps.Names(DC_MEDIATYPENAMES, "DC_MEDIATYPENAMES", kLongNameWidth)}});
}

void PrintExtents(const Capabilities& caps) {
  auto extent = [&](WORD capability) {
    const DWORD value = static_cast<DWORD>(caps.Value(capability));
    if (value == static_cast<DWORD>(-1)) return std::string("not answered");
    return std::to_string(LOWORD(value)) + " x " + std::to_string(HIWORD(value));
  };
  std::printf("\nPaper extents (dmPaperWidth x dmPaperLength, 0.1 mm)\n");
  std::printf("  DC_MINEXTENT  %s\n  DC_MAXEXTENT  %s\n", extent(DC_MINEXTENT).c_str(),
              extent(DC_MAXEXTENT).c_str());
}

void PrintValues(const Capabilities& caps) {
  struct Value {
    WORD capability;
    const char* name;
    bool hex;
  };
  static const Value kValues[] = {
      {DC_FIELDS, "DC_FIELDS", true},
      {DC_SIZE, "DC_SIZE", false},
      {DC_EXTRA, "DC_EXTRA", false},
      {DC_VERSION, "DC_VERSION", true},
      {DC_DRIVER, "DC_DRIVER", true},
      {DC_COPIES, "DC_COPIES", false},
      {DC_ORIENTATION, "DC_ORIENTATION", false},
      {DC_DUPLEX, "DC_DUPLEX", false},
      {DC_COLLATE, "DC_COLLATE", false},
      {DC_COLORDEVICE, "DC_COLORDEVICE", false},
      {DC_TRUETYPE, "DC_TRUETYPE", true},
      {DC_STAPLE, "DC_STAPLE", false},
      {DC_PRINTERMEM, "DC_PRINTERMEM", false},
      {DC_PRINTRATE, "DC_PRINTRATE", false},
      {DC_PRINTRATEUNIT, "DC_PRINTRATEUNIT", false},
      {DC_PRINTRATEPPM, "DC_PRINTRATEPPM", false},
  };
  std::printf("\nValues\n");
  for (const Value& v : kValues) {
    const int answer = caps.Value(v.capability);
    const std::string text = answer == -1 ? "-1 (not answered)"
                             : v.hex      ? HexWord(static_cast<DWORD>(answer))
                                          : std::to_string(answer);
    std::printf("  %-18s %s\n", v.name, text.c_str());
  }
}

void PrintOtherLists(Capabilities& caps) {
  std::printf("\nOther lists\n");
  auto names = [&](WORD capability, const char* name, std::size_t width) {
    std::string line;
    if (caps.Value(capability) < 0) {
      line = " not answered";
    } else {
      for (const std::string& text : caps.Names(capability, name, width)) {
        line += " \"" + text + "\"";
      }
    }
    std::printf("  %-20s%s\n", name, line.empty() ? " (none)" : line.c_str());
  };
  names(DC_FILEDEPENDENCIES, "DC_FILEDEPENDENCIES", kLongNameWidth);
  names(DC_PERSONALITY, "DC_PERSONALITY", kPersonalityWidth);
  names(DC_MEDIAREADY, "DC_MEDIAREADY", kLongNameWidth);
  std::vector<DWORD> nup;
  std::string line;
  if (caps.List(DC_NUP, "DC_NUP", 1, &nup) < 0) line = " not answered";
  for (DWORD n : nup) line += " " + std::to_string(n);
  std::printf("  %-20s%s\n", "DC_NUP", line.empty() ? " (none)" : line.c_str());
}

}  // namespace

int RunCaps(const Options& options) {
  // DeviceCapabilitiesW opens the printer itself; opening it here first gives a clear
  // message for a printer that does not exist.
  if (!PrinterExists(options.printer)) {
    FailOpenPrinter("cannot open the printer", options.printer);
    return kExitFailed;
  }
  std::printf("Printer \"%s\"\n", Utf8(options.printer).c_str());
  Capabilities caps(options.printer);
  PrintPapers(caps);
  PrintBins(caps);
  PrintResolutions(caps);
  PrintMediaTypes(caps);
  PrintExtents(caps);
  PrintValues(caps);
  PrintOtherLists(caps);
  std::fflush(stdout);
  return caps.sound() ? kExitOk : kExitFailed;
}

}  // namespace tqrctl

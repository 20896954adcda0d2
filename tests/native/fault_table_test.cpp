// What an unlucky world does to what the driver keeps: every file and
// spooler call an operation makes fails in turn (open, read, short read,
// write, short write, rename, delete, time, each spooler call), and after
// each the user print mode file, the description cache, the stored
// settings and the forms are each as they were or as the operation leaves
// them when nothing fails: never half-written, never lost, never something
// else. An operation that reports success answers what it answers when
// nothing fails.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "caps/capabilities.h"
#include "presets/export_file.h"
#include "presets/print_mode_file.h"
#include "presets/print_mode_store.h"
#include "presets_fixture.h"
#include "settings/document_request.h"
#include "settings/settings.h"
#include "sheet/sheet_context.h"
#include "sheet/sheet_values.h"
#include "support/fake_printer.h"
#include "support/shipped_image.h"
#include "ui/main_page_model.h"

namespace tqr {
namespace {

using fake::FakeCall;
using fake::Fault;
using test::Bytes;

using test::kPrinterName;
constexpr const char* kText = test::kDescriptionPath;
constexpr const char* kCache = test::kCachePath;
constexpr char kUserFile[] = "C:\\Windows\\system32\\Tqr54usr.cfg";
constexpr char kExportFile[] = "C:\\Users\\me\\presets.cfg";

// Every stored thing: the files by path, the printer's data by name, the
// server's forms.
struct Stored {
  std::map<std::string, fake::FakeFileSystem::File> files;
  std::map<std::u16string, fake::FakeSpooler::PrinterData> data;
  std::vector<FormInfo> forms;
};

bool operator==(const fake::FakeFileSystem::File& a, const fake::FakeFileSystem::File& b) {
  return a.bytes == b.bytes && a.lastWrite == b.lastWrite;
}

// A printer with a sound user print mode file, valid stored settings that
// differ from the defaults, a user form and an export file.
class World : public test::FakePrinter {
 public:
  World() : FakePrinter(test::ShippedText()) {
    DRVDEVMODE stored;
    std::memset(static_cast<void*>(&stored), 0, sizeof stored);
    BuildDefaultSettings(test::ShippedImage().data(), &stored, kPrinterName, handle());
    stored.dm.dmCopies = 7;
    stored.Mirror = 1;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&stored);
    spooler.printers[handle()].data[kStoredSettingsName] = {kRegBinary,
                                                            Bytes(bytes, bytes + sizeof stored)};
    files.PutBytes(kUserFile, test::UserFile(6, {5, 0, 1, 2, 3, 4}, {test::MakeRecord(u"Alpha")}));
    files.PutBytes(kExportFile, test::ExportFile(1, {test::MakeRecord(u"Kept", 3)}));
    files.faults = &plan;
    spooler.faults = &plan;
  }

  Stored Snapshot() {
    Stored stored;
    for (const std::string& path : files.Paths()) stored.files[path] = files.At(path);
    stored.data = spooler.printers[handle()].data;
    stored.forms = spooler.forms;
    return stored;
  }

  fake::FaultPlan plan;
};

// What an operation answered: nothing when it reported failure.
using Answer = std::optional<Bytes>;

Bytes RecordBytes(const void* record) {
  const auto* bytes = static_cast<const std::uint8_t*>(record);
  return Bytes(bytes, bytes + sizeof(DRVDEVMODE));
}

struct Operation {
  const char* name;
  // Puts the world into the state the operation meets, after the common one.
  std::function<void(World&)> prepare;
  std::function<Answer(World&)> run;
};

Answer DocumentCall(World& world) {
  Bytes out(sizeof(DRVDEVMODE));
  if (AnswerDocumentProperties(world.handle(), kPrinterName, out.data(), nullptr, kModeCopy) != 1) {
    return std::nullopt;
  }
  return out;
}

Answer PaperNames(World& world) {
  const std::int32_t count = AnswerDeviceCapability(world.handle(), kPrinterName, kCapPaperNames,
                                                    nullptr, nullptr);
  if (count < 0) return std::nullopt;
  Bytes names(CapabilityOutputSize(kCapPaperNames, count));
  if (AnswerDeviceCapability(world.handle(), kPrinterName, kCapPaperNames, names.data(), nullptr) !=
      count) {
    return std::nullopt;
  }
  return names;
}

// The device sheet's OK after the user switched mirror printing.
Answer DeviceSheetOk(World& world) {
  SheetContext* context = OpenDeviceSheet(world.handle(), kPrinterName, 0);
  if (context == nullptr) return std::nullopt;
  context->state->mirror.current = context->state->mirror.current == 1 ? 0 : 1;
  SnapshotSheetState(context->state);
  FinishDeviceSheet(context, kSheetResultOk);
  const Bytes record = RecordBytes(&context->record);
  CloseDeviceSheet(context);
  return record;
}

// A document sheet confirmed: the caller gets the record back.
Answer DocumentSheetOk(World& world) {
  Bytes out(sizeof(DRVDEVMODE));
  SheetContext* context =
      OpenDocumentSheet({world.handle(), kPrinterName, nullptr, out.data(), kModeCopy | kModeUpdate});
  if (context == nullptr) return std::nullopt;
  FinishDocumentSheet(context, kSheetResultOk);
  CloseDocumentSheet(&context);
  return out;
}

Answer InitializePrinter(World& world) {
  if (StoreInitialSettings(world.handle(), kPrinterName) != 1) return std::nullopt;
  return Bytes();
}

Answer ListPrintModes(World&) {
  auto modes = std::make_unique<UserPrintModes>();
  if (!LoadPrintModeList(modes.get())) return std::nullopt;
  Bytes titles;
  for (std::uint16_t p = 0; p < modes->count; ++p) titles.push_back(modes->order[p] & 0xFF);
  return titles;
}

Answer SavePrintMode(World&) {
  PrintModeRecord builtIn[kBuiltInPrintModes] = {};
  PrintModeStore store;
  store.builtIn = builtIn;
  if (!LoadPrintModeStore(&store)) return std::nullopt;
  store.working = test::MakeRecord(u"Beta", 2);
  if (!AppendPrintMode(&store) || !WritePrintModeStore(store)) return std::nullopt;
  return Bytes();
}

Answer ExportPrintMode(World&) {
  if (!WriteExportRecord(kExportFile, test::MakeRecord(u"Added", 4))) return std::nullopt;
  return Bytes();
}

const Operation kOperations[] = {
    {"document call, first use", nullptr, DocumentCall},
    {"document call, stale cache",
     [](World& world) {
       world.files.PutBytes(kCache, test::ShippedImage());
       world.files.Touch(kText);
     },
     DocumentCall},
    {"document call, stored settings missing",
     [](World& world) { world.spooler.printers[world.handle()].data.clear(); }, DocumentCall},
    {"capability call", nullptr, PaperNames},
    {"document sheet confirmed", nullptr, DocumentSheetOk},
    {"device sheet confirmed", nullptr, DeviceSheetOk},
    {"printer initialized", nullptr, InitializePrinter},
    {"print modes listed", nullptr, ListPrintModes},
    {"print modes listed, damaged file",
     [](World& world) {
       Bytes damaged = world.files.At(kUserFile).bytes;
       damaged[kUserFileCountOffset] = 4;
       world.files.PutBytes(kUserFile, damaged);
     },
     ListPrintModes},
    {"print mode saved", nullptr, SavePrintMode},
    {"print mode exported", nullptr, ExportPrintMode},
};

struct FaultKind {
  FakeCall call;
  Fault fault;
  const char* name;
};

const FaultKind kFaultKinds[] = {
    {FakeCall::kOpen, Fault::kFail, "open"},
    {FakeCall::kRead, Fault::kFail, "read"},
    {FakeCall::kRead, Fault::kShort, "short read"},
    {FakeCall::kReadWhole, Fault::kFail, "whole-file read"},
    {FakeCall::kWrite, Fault::kFail, "write"},
    {FakeCall::kWrite, Fault::kShort, "short write"},
    {FakeCall::kGetTime, Fault::kFail, "time read"},
    {FakeCall::kSetTime, Fault::kFail, "time set"},
    {FakeCall::kReplace, Fault::kFail, "replace"},
    {FakeCall::kMove, Fault::kFail, "rename"},
    {FakeCall::kCopy, Fault::kFail, "copy"},
    {FakeCall::kDelete, Fault::kFail, "delete"},
    {FakeCall::kList, Fault::kFail, "directory listing"},
    {FakeCall::kOpenPrinter, Fault::kFail, "OpenPrinter"},
    {FakeCall::kDriverInfo, Fault::kFail, "GetPrinterDriver"},
    {FakeCall::kGetPrinterData, Fault::kFail, "GetPrinterData"},
    {FakeCall::kSetPrinterData, Fault::kFail, "SetPrinterData"},
    {FakeCall::kDeletePrinterData, Fault::kFail, "DeletePrinterData"},
    {FakeCall::kPrinterInfo, Fault::kFail, "GetPrinter"},
    {FakeCall::kEnumForms, Fault::kFail, "EnumForms"},
    {FakeCall::kAddForm, Fault::kFail, "AddForm"},
    {FakeCall::kSetForm, Fault::kFail, "SetForm"},
    {FakeCall::kDeleteForm, Fault::kFail, "DeleteForm"},
};

// Each stored thing is as it was or as the operation leaves it without a
// fault; content the operation keeps somewhere (a file set aside) is still
// somewhere. The cache alone may also be gone: it is made again from the
// text, and a cache that is there is the compiled text, stamped as current.
void ExpectNothingLost(const Stored& before, const Stored& clean, const Stored& after) {
  std::map<std::string, fake::FakeFileSystem::File> paths = before.files;
  paths.insert(clean.files.begin(), clean.files.end());
  paths.insert(after.files.begin(), after.files.end());
  for (const auto& [path, unused] : paths) {
    const auto was = before.files.find(path);
    const auto clean_ = clean.files.find(path);
    const auto is = after.files.find(path);
    if (path == kCache) {
      if (is == after.files.end() || (was != before.files.end() && is->second == was->second)) {
        continue;
      }
      EXPECT_EQ(is->second.bytes, test::ShippedImage()) << path;
      EXPECT_EQ(is->second.lastWrite, after.files.at(kText).lastWrite) << path;
      continue;
    }
    const bool asBefore = was == before.files.end() ? is == after.files.end()
                                                    : is != after.files.end() &&
                                                          is->second.bytes == was->second.bytes;
    const bool asClean = clean_ == clean.files.end() ? is == after.files.end()
                                                     : is != after.files.end() &&
                                                           is->second.bytes == clean_->second.bytes;
    EXPECT_TRUE(asBefore || asClean) << path << (is == after.files.end() ? " is gone" : " changed");
  }
  for (const auto& [path, file] : before.files) {
    if (path == kCache) continue;
    bool keptByClean = false;
    for (const auto& [cleanPath, cleanFile] : clean.files) {
      keptByClean = keptByClean || cleanFile.bytes == file.bytes;
    }
    bool kept = false;
    for (const auto& [afterPath, afterFile] : after.files) kept = kept || afterFile.bytes == file.bytes;
    EXPECT_TRUE(kept || !keptByClean) << "the content of " << path << " is lost";
  }
  // Of the printer's data only the settings are the user's: the sheet's
  // permission probe may stay behind when its removal fails, and the next
  // probe overwrites it.
  const auto data = [](const Stored& stored) {
    const auto found = stored.data.find(kStoredSettingsName);
    return found != stored.data.end() ? std::optional(found->second.bytes) : std::nullopt;
  };
  EXPECT_TRUE(data(after) == data(before) || data(after) == data(clean)) << "stored settings";
  EXPECT_TRUE(after.forms == before.forms || after.forms == clean.forms) << "forms";
}

TEST(FaultTableTest, NoStoredFileOrSettingIsLostOrHalfWritten) {
  for (const Operation& operation : kOperations) {
    SCOPED_TRACE(operation.name);
    World cleanWorld;
    if (operation.prepare) operation.prepare(cleanWorld);
    const Stored before = cleanWorld.Snapshot();
    const Answer cleanAnswer = operation.run(cleanWorld);
    ASSERT_TRUE(cleanAnswer.has_value());
    const Stored clean = cleanWorld.Snapshot();
    for (const FaultKind& kind : kFaultKinds) {
      const int calls = cleanWorld.plan.Calls(kind.call);
      for (int nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE(std::string(kind.name) + " #" + std::to_string(nth) + " fails");
        World world;
        if (operation.prepare) operation.prepare(world);
        world.plan = fake::FaultPlan();
        world.plan.Inject(kind.call, nth, kind.fault);
        const Answer answer = operation.run(world);
        if (answer.has_value()) {
          EXPECT_TRUE(*answer == *cleanAnswer) << "answered otherwise";
        }
        ExpectNothingLost(before, clean, world.Snapshot());
      }
    }
  }
}

// A process killed at any step of a save or an export: the files it was
// rewriting are each the old one or the new one, never missing or half
// written, whatever the Main page of the next process then reads; and the
// next save or export leaves nothing of the dead one behind.
TEST(FaultTableTest, KilledAtAnyStepOfASaveTheFilesAreOldOrNew) {
  const Operation* killed[] = {&kOperations[9], &kOperations[10]};
  for (const Operation* operation : killed) {
    SCOPED_TRACE(operation->name);
    World cleanWorld;
    const Stored before = cleanWorld.Snapshot();
    ASSERT_TRUE(operation->run(cleanWorld).has_value());
    const Stored clean = cleanWorld.Snapshot();
    const int calls = cleanWorld.plan.AllCalls();
    for (int step = 0; step <= calls; ++step) {
      SCOPED_TRACE("killed after call " + std::to_string(step));
      World world;
      world.plan.StopAfter(step);
      operation->run(world);
      // The next process, with the plan of a world where nothing fails.
      world.plan = fake::FaultPlan();
      world.machine.processId = 5000;
      for (const char* path : {kUserFile, kExportFile}) {
        ASSERT_TRUE(world.files.Exists(path)) << path;
        const Bytes& is = world.files.At(path).bytes;
        EXPECT_TRUE(is == before.files.at(path).bytes || is == clean.files.at(path).bytes)
            << path;
      }
      const Bytes listed = world.files.At(kUserFile).bytes;
      ASSERT_TRUE(ListPrintModes(world).has_value());
      EXPECT_EQ(world.files.At(kUserFile).bytes, listed) << "the Main page replaced the file";
      ASSERT_TRUE(operation->run(world).has_value());
      for (const std::string& path : world.files.Paths()) {
        EXPECT_EQ(path.find(".tmp"), std::string::npos) << path << " is left";
      }
    }
  }
}

}  // namespace
}  // namespace tqr

// The user print mode file and export files are shared by the x86 and the
// x64 driver of one machine: one writes what the other reads. This program is
// built in both trees; ctest runs the Write case of one architecture and then
// the Read case of the other on the same folder (TQR_INTERCHANGE_DIR), which
// stands for the system directory. The reader checks the files byte for byte
// against the layout built by hand, then reads them through the driver's own
// readers. Both also check that the system directory each names is the same
// folder, where the one user print mode file of the machine lives.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "native/presets_fixture.h"
#include "presets/export_file.h"
#include "presets/print_mode_file.h"
#include "presets/print_mode_store.h"
#include "wine/support/scratch_system.h"

namespace tqr::test {
namespace {

constexpr char kExportName[] = "\\Interchange.cfg";

// Records whose every field tells them apart, text beyond ASCII included: a
// wrong code unit width or a shifted field shows in any of them.
std::vector<PrintModeRecord> Presets() {
  PrintModeRecord poster = MakeRecord(u"Poster", 3);
  const std::u16string posterText = u"Affiche \u00e9t\u00e9, 42\u2033 roll";
  posterText.copy(poster.Description, kPrintModeDescriptionLength - 1);
  PrintModeRecord proof = MakeRecord(u"Proof\u00c5", 41);
  proof.IconIndex = kPrintModeIconCount - 1;
  proof.PMDataMode = 0xFFFF;
  return {poster, proof};
}

class FileInterchange : public ::testing::Test {
 protected:
  FileInterchange() {
    const char* dir = std::getenv("TQR_INTERCHANGE_DIR");
    folder_ = dir != nullptr ? dir : "";
    machine_.systemDirectory = folder_;
  }

  std::string UserFilePath() const { return folder_ + kUserPrintModeFileName; }
  std::string ExportPath() const { return folder_ + kExportName; }
  // A file the writer leaves in the system directory its machine port names,
  // for the reader to find in the one its own names.
  std::string ProbePath() const {
    return win32::Win32Machine().SystemDirectory() + "\\TqrProbe-" +
           folder_.substr(folder_.find_last_of('\\') + 1);
  }

  static Bytes Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string folder_;
  win32::Win32FileSystem files_;
  ScratchMachine machine_;
  ScopedPorts ports_{Ports{&files_, nullptr, &machine_}};
};

// As the Save page and the export dialog write them: the default file, each
// preset appended and the file rewritten, each preset exported.
TEST_F(FileInterchange, Write) {
  ASSERT_FALSE(folder_.empty()) << "TQR_INTERCHANGE_DIR names the folder";
  CreateDirectoryA(folder_.c_str(), nullptr);
  DeleteFileA(UserFilePath().c_str());
  DeleteFileA(ExportPath().c_str());

  const HANDLE probe = CreateFileA(ProbePath().c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(probe, INVALID_HANDLE_VALUE) << ProbePath();
  CloseHandle(probe);

  ASSERT_TRUE(CreateDefaultPrintModeFile());
  for (const PrintModeRecord& preset : Presets()) {
    PrintModeStore store;
    ASSERT_TRUE(LoadPrintModeStore(&store));
    store.working = preset;
    ASSERT_TRUE(AppendPrintMode(&store));
    ASSERT_TRUE(WritePrintModeStore(store));
    ASSERT_TRUE(WriteExportRecord(ExportPath(), preset));
  }
}

TEST_F(FileInterchange, Read) {
  ASSERT_FALSE(folder_.empty()) << "TQR_INTERCHANGE_DIR names the folder";
  const std::vector<PrintModeRecord> presets = Presets();
  EXPECT_TRUE(DeleteFileA(ProbePath().c_str()))
      << "the writer's system directory is not " << ProbePath();

  EXPECT_EQ(Read(UserFilePath()), UserFile(7, {0, 1, 2, 3, 4, 5, 6}, presets));
  EXPECT_EQ(Read(ExportPath()), ExportFile(2, presets));

  PrintModeStore store;
  ASSERT_TRUE(LoadPrintModeStore(&store));
  ASSERT_EQ(store.user.size(), presets.size());
  UserPrintModes modes;
  ASSERT_EQ(ReadUserPrintModes(&modes), UserFileRead::kRead);
  ASSERT_EQ(modes.userCount, presets.size());
  const std::vector<PrintModeRecord> exported = ListExportRecords(ExportPath());
  ASSERT_EQ(exported.size(), presets.size());
  for (std::size_t k = 0; k < presets.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(SameRecord(store.user[k], presets[k]));
    EXPECT_TRUE(SameRecord(modes.user[k], presets[k]));
    EXPECT_TRUE(SameRecord(exported[k], presets[k]));
  }
}

}  // namespace
}  // namespace tqr::test

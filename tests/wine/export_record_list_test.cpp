// The record list of the Save as and Open dialogs on a real list box: it
// shows at most the records that can be imported, says so when a file holds
// more, and fills in one go.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "native/presets_fixture.h"
#include "presets/export_file.h"
#include "ui/win32/export_dialog_window.h"

namespace tqr {
namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

TEST(ExportRecordListTest, ShowsWhatCanBeImportedAndSaysWhenThereIsMore) {
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 400, 300, nullptr,
                                      nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  const HWND label = CreateWindowExW(0, L"STATIC", L"&Icon:", WS_CHILD, 7, 100, 200, 16, parent,
                                     nullptr, nullptr, nullptr);
  const HWND list = CreateWindowExW(
      0, L"LISTBOX", L"", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | WS_HSCROLL, 7, 120,
      300, 80, parent, nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  SetUpRecordList(list);
  // ListExportRecords hands one record more than it lists when the file has more.
  for (const std::size_t given : {kListedExportRecords + 1, std::size_t{40}}) {
    std::vector<PrintModeRecord> records(given, test::MakeRecord(u"R"));
    const DWORD started = GetTickCount();
    FillRecordList(list, records);
    EXPECT_LT(GetTickCount() - started, 2000u) << given;
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(std::min(given, kListedExportRecords)));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(TextOf(label), given > kListedExportRecords ? L"&Icon (first 100 only):" : L"&Icon:");
  }
  DestroyWindow(parent);  // a dialog frees the copies at WM_DELETEITEM; these go with the process
}

}  // namespace
}  // namespace tqr

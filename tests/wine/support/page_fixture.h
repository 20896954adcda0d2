// The fixture of the suites that drive a page of the driver in a real
// property sheet: the common controls registered once per suite, the sheet
// state built from the shipped description before each test, the sheet
// closed after it, and every message box the page shows recorded.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "wine/support/main_page_harness.h"
#include "wine/support/recorded_messages.h"

namespace tqr::test {

class PageFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    ASSERT_NE(harness_.Build(), nullptr) << "the shipped description did not build";
  }
  void TearDown() override { harness_.Close(); }

  MainPageHarness harness_;
  RecordedMessages boxes_;
};

}  // namespace tqr::test

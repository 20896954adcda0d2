// Paper size names shown with their dimensions, fitted to the control.
#include <algorithm>
#include <string>

#include "ui/paper_page_model.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {
namespace {

// Room the combo's drop-down button and frame take from the text.
int ComboTextMargin() {
  return GetSystemMetrics(SM_CXHTHUMB) + 5 + 2 * GetSystemMetrics(SM_CXEDGE);
}

// A name field of `capacity` units, cut at its end when it has no
// terminator.
std::u16string BoundedText(const char16_t* text, std::size_t capacity) {
  if (text == nullptr) return std::u16string();
  std::size_t length = 0;
  while (length < capacity && text[length] != u'\0') ++length;
  return std::u16string(text, length);
}

// An empty form name means the size is no user form: nothing to keep.
bool NamesStoredForm(const std::u16string& name, const char16_t* formName) {
  return IsStoredFormName(BoundedText(formName, kFormNameLength), name);
}

void KeepDisplayText(char16_t* destination, const std::u16string& text) {
  const std::size_t length = std::min<std::size_t>(text.size(), kDisplayTextLength - 1);
  text.copy(destination, length);
  destination[length] = u'\0';
}

}  // namespace

void ShowPaperNameWithSize(HWND dialog, SheetState* state, int controlId, const char16_t* name,
                           std::int32_t width, std::int32_t length) {
  HWND control = GetDlgItem(dialog, controlId);
  if (state == nullptr || control == nullptr) return;
  const bool isCombo = controlId == kPageSizeCombo || controlId == kPrinterPaperSizeCombo;
  const bool nameOnly = controlId == kMainPageSizeLabel || controlId == kMainPaperSizeLabel;

  HDC dc = GetDC(control);
  if (dc == nullptr) return;
  HFONT font = CreateFontW(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                           FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg");
  HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;

  RECT client = {};
  GetClientRect(control, &client);
  int available = client.right - client.left;
  if (isCombo) available -= ComboTextMargin();

  const std::u16string fullName = BoundedText(name, kOptionNameLength);
  const PaperNameText fitted = FitPaperNameText(
      fullName, FormatPaperSizeText(width, length, state->formUnit), available, nameOnly,
      [dc](const std::u16string& text) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, WideText(text), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
      });

  if (previousFont != nullptr) SelectObject(dc, previousFont);
  if (font != nullptr) DeleteObject(font);
  ReleaseDC(control, dc);

  if (nameOnly) {
    SetWindowTextW(control, WideText(fitted.name));
    return;
  }
  const std::u16string text = JoinPaperNameText(fitted);
  if (!isCombo) {
    SetWindowTextW(control, WideText(text));
    return;
  }
  SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(text)));
  if (controlId == kPrinterPaperSizeCombo) {
    if (NamesStoredForm(fullName, state->formName2)) {
      KeepDisplayText(state->paperSizeDisplayText, text);
    }
  } else if (NamesStoredForm(fullName, state->formName)) {
    KeepDisplayText(state->pageSizeDisplayText, text);
  }
}

}  // namespace tqr

// The Server Forms dialog: the print server's user forms that fit the
// printer, listed by name, and the Set, Replace and Delete that change them
// through the spooler port.
// The spooler's form calls are macros of <windows.h>; it comes first so
// that the port's members are named alike wherever this file calls them.
#include <windows.h>

#include <vector>

#include "resources/paper_ids.h"
#include "ui/server_forms_model.h"
#include "ui/win32/paper_page.h"

namespace tqr {
namespace {

constexpr DWORD kServerFormsHelpTopic = 4875;
constexpr int kSizeEditLimit = 6;
constexpr int kNameEditLimit = 31;
// Set reads a little more than the edit takes, so that an over-long name
// pasted in is seen whole by the spooler's own check.
constexpr int kNameReadLimit = 65;

constexpr SizePairControls kFormControls = {IDC_FORMS_HEIGHT,       IDC_FORMS_WIDTH,
                                            IDC_FORMS_HEIGHT_RANGE, IDC_FORMS_WIDTH_RANGE,
                                            IDC_FORMS_UNIT,         SizePairMode::kFormSize};

struct FormsBlock {
  DialogHeader header;
  SizePairRecord record;
};

std::vector<FormInfo> ServerForms(const SheetState* sheet) {
  std::vector<FormInfo> forms;
  Spooler* spooler = CurrentPorts().spooler;
  if (spooler != nullptr) spooler->EnumForms(sheet->printer, &forms);
  return forms;
}

// Shows a size in 0.1 mm in the dialog's unit, and the name when given. The
// record takes the exact size too, so that confirming the shown inches
// unchanged keeps the millimetres as they were.
void ShowFormSize(HWND dialog, FormsBlock* block, const std::u16string* name, std::int32_t width,
                  std::int32_t length) {
  SetFieldInMillimetres(&block->record, SizeField::k1, length);
  SetFieldInMillimetres(&block->record, SizeField::k2, width);
  FormatSizePair(dialog, block->record, block->record.unit, kFormControls);
  if (name != nullptr) SetDlgItemTextW(dialog, IDC_FORMS_NAME, WideText(*name));
}

std::u16string ListText(HWND dialog, LRESULT index) {
  const LRESULT length = SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::u16string();
  std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
  SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETTEXT, index,
                      reinterpret_cast<LPARAM>(text.data()));
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()));
}

// The list's entry for a form name, found as the spooler compares names
// rather than as the list box would; LB_ERR when the list does not hold it.
LRESULT ListedEntry(HWND dialog, const std::u16string& name) {
  const LRESULT count = SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    if (SameFormName(ListText(dialog, index), name)) return index;
  }
  return LB_ERR;
}

void ListForms(HWND dialog, FormsBlock* block) {
  SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_RESETCONTENT, 0, 0);
  for (const FormInfo& form : ServerForms(block->header.sheet)) {
    if (!IsOfferedForm(form)) continue;
    SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(WideText(form.name)));
    ShowFormSize(dialog, block, &form.name, form.width / 100, form.length / 100);
  }
}

void ShowSelectedForm(HWND dialog, FormsBlock* block) {
  const LRESULT selection = SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCURSEL, 0, 0);
  if (selection == LB_ERR) return;
  const std::u16string selected = ListText(dialog, selection);
  for (const FormInfo& form : ServerForms(block->header.sheet)) {
    if (!IsOfferedForm(form) || !SameFormName(form.name, selected)) continue;
    ShowFormSize(dialog, block, &form.name, form.width / 100, form.length / 100);
    return;
  }
}

void OnFormNameChange(HWND dialog, FormsBlock* block) {
  const std::u16string name = ReadDialogText(dialog, IDC_FORMS_NAME, kNameReadLimit);
  SetDlgItemTextW(dialog, IDC_FORMS_SET, L"&Set");
  const bool named = !name.empty();
  EnableControl(dialog, IDC_FORMS_SET, named);
  EnableControl(dialog, IDC_FORMS_DELETE, named);
  if (!named) {
    ShowFormSize(dialog, block, nullptr, kBlankFormWidth, kBlankFormLength);
    return;
  }
  for (const FormInfo& form : ServerForms(block->header.sheet)) {
    if (form.flags != 0 || !SameFormName(form.name, name)) continue;
    const LRESULT listed = ListedEntry(dialog, form.name);
    if (listed == LB_ERR) return;
    SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_SETCURSEL, listed, 0);
    SetDlgItemTextW(dialog, IDC_FORMS_SET, L"&Replace");
    ShowFormSize(dialog, block, nullptr, form.width / 100, form.length / 100);
    return;
  }
}

void ReportFormChange(HWND dialog, const wchar_t* caption, const char* call,
                      std::uint32_t error) {
  if (error == kErrorAccessDenied) {
    ShowPaperMessage(dialog, kAdministratorRequiredMessage, MB_OK, caption);
  } else if (error != kErrorSuccess) {
    TraceUnhandled(call, "error", error);
  }
}

void SetServerForm(HWND dialog, FormsBlock* block) {
  const std::u16string name = ReadDialogText(dialog, IDC_FORMS_NAME, kNameReadLimit);
  SizePairRecord& record = block->record;
  if (!ValidateSizePair(dialog, &record, block->header.caption, record.unit, kFormControls)) {
    return;
  }
  const FormInfo form = MakeServerForm(name, record);
  const bool selected =
      SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCURSEL, 0, 0) != LB_ERR;
  Spooler* spooler = CurrentPorts().spooler;
  PrinterHandle printer = block->header.sheet->printer;
  std::u16string listedName;
  switch (ClassifyFormName(ServerForms(block->header.sheet), name, selected, &listedName)) {
    case FormNameClass::kNew: {
      const std::uint32_t error =
          spooler != nullptr ? spooler->AddForm(printer, form) : kErrorAccessDenied;
      ReportFormChange(dialog, block->header.caption, "AddForm", error);
      if (error != kErrorSuccess) break;
      const LRESULT added = SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_ADDSTRING, 0,
                                                reinterpret_cast<LPARAM>(WideText(name)));
      SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_SETCURSEL, added, 0);
      OnFormNameChange(dialog, block);
      break;
    }
    case FormNameClass::kListed:
      // The form keeps the name the server has for it, whatever its case as
      // typed: only its size is replaced.
      ReportFormChange(dialog, block->header.caption, "SetForm",
                       spooler != nullptr
                           ? spooler->SetForm(printer, listedName,
                                              MakeServerForm(listedName, record))
                           : kErrorAccessDenied);
      break;
    case FormNameClass::kReserved:
      ShowPaperMessage(dialog, kReservedFormNameMessage, MB_OK, block->header.caption);
      SetFocus(GetDlgItem(dialog, IDC_FORMS_NAME));
      break;
    case FormNameClass::kTaken:
      ShowPaperMessage(dialog, kFormNameTakenMessage, MB_OK,
                       reinterpret_cast<const wchar_t*>(kFormNameTakenCaption));
      SetFocus(GetDlgItem(dialog, IDC_FORMS_NAME));
      break;
  }
}

void DeleteServerForm(HWND dialog, FormsBlock* block) {
  const LRESULT selection = SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCURSEL, 0, 0);
  if (selection == LB_ERR) return;
  const std::u16string name = ListText(dialog, selection);
  Spooler* spooler = CurrentPorts().spooler;
  const std::uint32_t error = spooler != nullptr
                                  ? spooler->DeleteForm(block->header.sheet->printer, name)
                                  : kErrorAccessDenied;
  ReportFormChange(dialog, block->header.caption, "DeleteForm", error);
  if (error != kErrorSuccess) return;
  SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_DELETESTRING, selection, 0);
  const LRESULT remaining = SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCOUNT, 0, 0);
  const std::optional<std::size_t> next = EntryAfterDelete(
      static_cast<std::size_t>(selection), remaining > 0 ? static_cast<std::size_t>(remaining) : 0);
  // Setting the name runs OnFormNameChange through EN_CHANGE.
  const std::u16string shown = next ? ListText(dialog, static_cast<LRESULT>(*next)) : u"";
  SetDlgItemTextW(dialog, IDC_FORMS_NAME, WideText(shown));
}

void InitServerForms(HWND dialog, SheetState* sheet) {
  auto* block = CreateDialogState<FormsBlock>(dialog, sheet);
  if (block == nullptr) return;
  CenterWindowOver(dialog, GetParent(dialog));
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  wchar_t measure[4] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 4);
  block->record = ServerFormSizeRecord(sheet);
  block->record.unit = measure[0] == L'0' ? kUnitMillimetres : kUnitInches;
  FillVisibleOptionCombo(dialog, IDC_FORMS_UNIT, sheet->unit);
  SendDlgItemMessageW(dialog, IDC_FORMS_UNIT, CB_SETCURSEL, UnitIndex(block->record.unit), 0);
  ShowRangeLabels(dialog, block->record, block->record.unit, kFormControls);
  ListForms(dialog, block);
  SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_SETCURSEL, 0, 0);
  ShowSelectedForm(dialog, block);
  SendDlgItemMessageW(dialog, IDC_FORMS_WIDTH, EM_LIMITTEXT, kSizeEditLimit, 0);
  SendDlgItemMessageW(dialog, IDC_FORMS_HEIGHT, EM_LIMITTEXT, kSizeEditLimit, 0);
  SendDlgItemMessageW(dialog, IDC_FORMS_NAME, EM_LIMITTEXT, kNameEditLimit, 0);
  SubclassNumericEdit(dialog, IDC_FORMS_WIDTH, DecimalEditProc);
  SubclassNumericEdit(dialog, IDC_FORMS_HEIGHT, DecimalEditProc);
  OnFormNameChange(dialog, block);
}

void OnUnitChange(HWND dialog, FormsBlock* block) {
  const LRESULT selection = SendDlgItemMessageW(dialog, IDC_FORMS_UNIT, CB_GETCURSEL, 0, 0);
  const std::uint16_t unit = selection == 0 ? kUnitMillimetres : kUnitInches;
  if (selection == CB_ERR || unit == block->record.unit) return;
  if (SwitchSizePairUnit(dialog, &block->record, block->header.caption, block->record.unit,
                         kFormControls)) {
    ShowRangeLabels(dialog, block->record, block->record.unit, kFormControls);
  }
}

INT_PTR CALLBACK ServerFormsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    InitServerForms(dialog, reinterpret_cast<SheetState*>(lParam));
    return TRUE;
  }
  if (message == WM_DESTROY) return CloseModalDialog(dialog);
  if (message != WM_COMMAND) return FALSE;
  auto* block = DialogStateOf<FormsBlock>(dialog);
  if (block == nullptr) return CommandWithoutState(dialog, wParam);
  const WORD code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDC_FORMS_NAME:
      if (code == EN_CHANGE) OnFormNameChange(dialog, block);
      break;
    case IDC_FORMS_LIST:
      if (code == LBN_SELCHANGE) ShowSelectedForm(dialog, block);
      break;
    case IDC_FORMS_UNIT:
      if (code == CBN_SELCHANGE) OnUnitChange(dialog, block);
      break;
    case IDC_FORMS_SET:
      if (code == BN_CLICKED) SetServerForm(dialog, block);
      break;
    case IDC_FORMS_DELETE:
      if (code == BN_CLICKED) DeleteServerForm(dialog, block);
      break;
    case IDC_FORMS_CLOSE:
      block->header.sheet->formUnit =
          block->record.unit == kUnitMillimetres ? FormUnit::Millimetres : FormUnit::Inches;
      EndModalDialog(dialog, 1);
      break;
    case IDCANCEL:
      EndModalDialog(dialog, 0);
      break;
    case IDC_FORMS_HELP:
      OpenHelpTopic(dialog, block->header.helpFile, kServerFormsHelpTopic);
      break;
    default:
      break;
  }
  return TRUE;
}

}  // namespace

INT_PTR ShowServerForms(HWND owner, SheetState* sheet) {
  return ShowModalPaperDialog(owner, IDD_SERVER_FORMS, ServerFormsProc, sheet);
}

}  // namespace tqr

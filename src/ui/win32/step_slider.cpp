// The step slider's window procedure: painting, mouse and keys. What is not
// the slider's own goes to the trackbar's procedure.
#include "ui/win32/step_slider.h"

#include <commctrl.h>

#include "resources/feature_pages_ids.h"
#include "ui/advanced_sheet_model.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {
namespace {

// The slider's state, kept on the trackbar window itself so that the
// procedure needs no page to find it.
constexpr wchar_t kSliderProperty[] = L"tqr54ui.StepSlider";

constexpr int kTickWidth = 4;
constexpr int kTickHeight = 4;
constexpr int kThumbHeight = 20;

StepSliderState* SliderOf(HWND window) {
  return static_cast<StepSliderState*>(GetPropW(window, kSliderProperty));
}

int RangeMaximum(HWND window) {
  return static_cast<int>(SendMessageW(window, TBM_GETRANGEMAX, 0, 0));
}

int Position(HWND window) { return static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0)); }

void DrawLine(HDC dc, int x0, int x1, int y, int colorIndex) {
  DrawSysColorLine(dc, x0, y, x1, y, colorIndex);
}

void DrawPicture(HDC dc, HDC source, HBITMAP bitmap, int x, int y, int sourceX, int width,
                 int height) {
  if (bitmap == nullptr || source == nullptr) return;
  HGDIOBJ previous = SelectObject(source, bitmap);
  BitBlt(dc, x, y, width, height, source, sourceX, 0, SRCCOPY);
  SelectObject(source, previous);
}

// Draws the slider; it changes nothing else, since a paint may come at any
// time, for a window that is only being shown.
void Paint(HWND window, const StepSliderState* slider, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

  const SliderGeometry& geometry = slider->geometry;
  const int last = RangeMaximum(window);
  const int position = Position(window);
  const int h = client.bottom;
  const bool enabled = IsWindowEnabled(window) != FALSE;
  // The intensity slider's face shows only while it can be used.
  const bool face = slider->kind == SliderKind::kQuality || enabled;

  const int grooveEnd = SliderPositionX(geometry, last);
  DrawLine(dc, geometry.leftMargin, grooveEnd, h / 2, COLOR_BTNSHADOW);
  DrawLine(dc, geometry.leftMargin, grooveEnd, h / 2 + 1, COLOR_3DDKSHADOW);
  DrawLine(dc, geometry.leftMargin, grooveEnd, h / 2 + 3, COLOR_WINDOW);

  HDC source = CreateCompatibleDC(dc);
  if ((GetWindowLongW(window, GWL_STYLE) & TBS_AUTOTICKS) != 0) {
    const bool greyTicks = slider->kind == SliderKind::kIntensity && !enabled;
    for (int p = 0; p <= last; p += SliderTickStep(slider->kind)) {
      DrawPicture(dc, source, slider->ticks, SliderPositionX(geometry, p) - kTickWidth / 2, 0,
                  greyTicks ? kTickWidth : 0, kTickWidth, kTickHeight);
    }
  }
  if (face) {
    DrawPicture(dc, source, slider->thumb,
                SliderPositionX(geometry, position) - kSliderThumbWidth / 2,
                h / 2 - kThumbHeight / 2, 0, kSliderThumbWidth, kThumbHeight);
    if (GetFocus() == window) DrawFocusRect(dc, &client);
  }
  if (source != nullptr) DeleteDC(source);
}

void OnPaint(HWND window, const StepSliderState* slider) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  Paint(window, slider, dc);
  EndPaint(window, &paint);
}

// The scale from the trackbar's ticks as they are laid out for its present
// size, fitted into its client width.
void MeasureScale(HWND window, StepSliderState* slider) {
  RECT client = {};
  GetClientRect(window, &client);
  const int first = static_cast<int>(SendMessageW(window, TBM_GETTICPOS, 0, 0));
  if (slider->kind == SliderKind::kQuality) {
    slider->geometry = QualitySliderGeometry(first, client.right);
  } else {
    const int second = static_cast<int>(SendMessageW(window, TBM_GETTICPOS, 1, 0));
    slider->geometry = IntensitySliderGeometry(first, second, client.right);
  }
}

// A change of the value the slider stands for: the settings are marked
// changed and the page shows the new value and title.
void Changed(HWND window, StepSliderState* slider) {
  MarkAdvancedModified(slider->sheet);
  if (slider->refreshPage != nullptr) slider->refreshPage(GetParent(window));
}

// The user moved the slider: its value follows.
void Moved(HWND window, StepSliderState* slider, int position, bool redraw) {
  SetStepSliderPosition(slider, position, redraw);
  InvalidateRect(window, nullptr, TRUE);
  Changed(window, slider);
}

bool KeyOf(WPARAM key, SliderKey* result) {
  switch (key) {
    case VK_PRIOR:
      *result = SliderKey::kPageUp;
      return true;
    case VK_NEXT:
      *result = SliderKey::kPageDown;
      return true;
    case VK_LEFT:
      *result = SliderKey::kLeft;
      return true;
    case VK_RIGHT:
      *result = SliderKey::kRight;
      return true;
    case VK_UP:
      *result = SliderKey::kUp;
      return true;
    case VK_DOWN:
      *result = SliderKey::kDown;
      return true;
    case VK_HOME:
      *result = SliderKey::kHome;
      return true;
    case VK_END:
      *result = SliderKey::kEnd;
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK StepSlider(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StepSliderState* slider = SliderOf(window);
  if (slider == nullptr || slider->previous == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_SIZE) {
    // The trackbar lays its ticks out for the new size first.
    const LRESULT result = CallWindowProcW(slider->previous, window, message, wParam, lParam);
    MeasureScale(window, slider);
    InvalidateRect(window, nullptr, TRUE);
    return result;
  }
  // Without a scale that fits, the trackbar draws and moves itself.
  if (!SliderDrawsItself(slider->geometry)) {
    return CallWindowProcW(slider->previous, window, message, wParam, lParam);
  }
  switch (message) {
    case WM_PAINT:
      OnPaint(window, slider);
      return 0;
    case WM_PRINTCLIENT:
      Paint(window, slider, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
      if (message == WM_MOUSEMOVE && wParam != MK_LBUTTON) break;
      SetCapture(window);
      SetFocus(window);
      const int x = static_cast<short>(LOWORD(lParam));
      Moved(window, slider, SliderPositionAt(slider->geometry, RangeMaximum(window), x), false);
      return 0;
    }
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_KEYDOWN: {
      SliderKey key = SliderKey::kHome;
      if (!KeyOf(wParam, &key)) break;
      Moved(window, slider,
            SliderPositionAfterKey(slider->kind, key, Position(window), RangeMaximum(window),
                                   *slider->setting),
            true);
      return 0;
    }
    default:
      break;
  }
  return CallWindowProcW(slider->previous, window, message, wParam, lParam);
}

}  // namespace

bool AttachStepSlider(HWND page, int controlId, StepSliderState* slider) {
  HWND window = GetDlgItem(page, controlId);
  slider->window = window;
  if (window == nullptr) return false;
  SendMessageW(window, TBM_SETTICFREQ, 1, 0);
  SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&slider->thumbRect));
  MeasureScale(window, slider);
  // Drawn in the classic greys; shown on the system's face colour.
  slider->ticks = LoadSystemColoredBitmap(IDB_SLIDER_TICKS);
  slider->thumb = LoadSystemColoredBitmap(IDB_SLIDER_THUMB);
  // Replaced even without a scale, so that a later size can give one.
  if (!SetPropW(window, kSliderProperty, slider)) return false;
  slider->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StepSlider)));
  if (slider->previous == nullptr) {
    RemovePropW(window, kSliderProperty);
    return false;
  }
  InvalidateRect(window, nullptr, TRUE);
  return true;
}

bool SetUpStepSlider(HWND page, int controlId, SliderKind kind, SheetState* sheet,
                     NumericSetting* setting, void (*refreshPage)(HWND page),
                     StepSliderState* slider) {
  const int maximum =
      kind == SliderKind::kQuality ? kQualitySliderMaximum : kIntensitySliderMaximum;
  HWND window = GetDlgItem(page, controlId);
  SendMessageW(window, TBM_SETRANGE, TRUE, MAKELPARAM(0, maximum));
  SendMessageW(window, TBM_SETPOS, TRUE, SliderPositionOf(kind, setting->current));
  slider->kind = kind;
  slider->sheet = sheet;
  slider->setting = setting;
  slider->refreshPage = refreshPage;
  return AttachStepSlider(page, controlId, slider);
}

void DetachStepSlider(StepSliderState* slider) {
  if (slider->previous != nullptr && IsWindow(slider->window)) {
    SetWindowLongPtrW(slider->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(slider->previous));
    RemovePropW(slider->window, kSliderProperty);
  }
  slider->previous = nullptr;
  for (HBITMAP* bitmap : {&slider->ticks, &slider->thumb}) {
    if (*bitmap != nullptr) DeleteObject(*bitmap);
    *bitmap = nullptr;
  }
}

void SetStepSliderPosition(StepSliderState* slider, int position, bool redraw) {
  if (slider->window == nullptr) return;
  SendMessageW(slider->window, TBM_SETPOS, redraw ? TRUE : FALSE, position);
  // The trackbar keeps the position within its range: the value stored is
  // the one it shows.
  if (slider->setting != nullptr) {
    slider->setting->current = SliderValueAt(slider->kind, Position(slider->window));
  }
}

void ShowStepSliderValue(StepSliderState* slider) {
  if (slider->window == nullptr || slider->setting == nullptr) return;
  InvalidateRect(slider->window, nullptr, TRUE);
  SetStepSliderPosition(slider, SliderPositionOf(slider->kind, slider->setting->current), true);
}

bool OnStepSliderScroll(StepSliderState* slider, WPARAM wParam, HWND from) {
  if (from == nullptr || from != slider->window) return false;
  // The end of a move follows every move and moves nothing.
  if (LOWORD(wParam) == TB_ENDTRACK || slider->setting == nullptr) return true;
  slider->setting->current = SliderValueAt(slider->kind, Position(from));
  Changed(from, slider);
  return true;
}

}  // namespace tqr

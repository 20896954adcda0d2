// The step slider: a trackbar whose drawing and input the driver takes over,
// so that its positions sit on a scale of the driver's own with its own
// thumb and ticks. The Quality page's print quality slider and the Color
// page's intensity slider use it; ui/step_slider_model.h holds the rules.
#pragma once

#include <windows.h>

#include "sheet/sheetstate.h"
#include "ui/step_slider_model.h"

namespace tqr {

// A page's slider, kept in the page's state block. Zero-filled until
// AttachStepSlider; DetachStepSlider releases what it holds.
struct StepSliderState {
  HWND window;
  WNDPROC previous;  // the trackbar's own procedure; null while not replaced
  HBITMAP ticks;     // 8 x 4: the normal tick, then the disabled one
  HBITMAP thumb;     // 8 x 20
  SliderGeometry geometry;  // measured again whenever the trackbar is sized
  RECT thumbRect;  // the trackbar's own thumb when it was attached
  SliderKind kind;
  SheetState* sheet;
  NumericSetting* setting;  // the value the position stands for
  // Brings the page up to date after the user moved the slider.
  void (*refreshPage)(HWND page);
};

// Takes over the trackbar `controlId` of `page`: loads the thumb and tick
// pictures and replaces its procedure. The range and position are set
// before; the ticks are put at every position here, since a trackbar may
// not have laid them out for its range yet. While the trackbar's ticks give
// no scale that fits it, the trackbar keeps its own drawing and input and
// the page stores its moves (OnStepSliderScroll). False when the procedure
// could not be replaced.
bool AttachStepSlider(HWND page, int controlId, StepSliderState* slider);
// Gives the trackbar `controlId` the range of a `kind` slider and the
// position of `setting`'s current value, fills in `slider` and takes the
// trackbar over (AttachStepSlider, whose answer it returns).
bool SetUpStepSlider(HWND page, int controlId, SliderKind kind, SheetState* sheet,
                     NumericSetting* setting, void (*refreshPage)(HWND page),
                     StepSliderState* slider);
// Puts the trackbar's own procedure back and deletes the pictures.
void DetachStepSlider(StepSliderState* slider);

// Moves the slider to `position` and stores the value it then shows.
void SetStepSliderPosition(StepSliderState* slider, int position, bool redraw);
// The page comes up: the slider shows the setting's current value, and a
// value beyond the slider's ends becomes the end it shows.
void ShowStepSliderValue(StepSliderState* slider);
// WM_HSCROLL on the page: when it comes from the slider's trackbar, which
// moved by its own input, stores its position as a change. True when it
// was the slider's.
bool OnStepSliderScroll(StepSliderState* slider, WPARAM wParam, HWND from);

}  // namespace tqr

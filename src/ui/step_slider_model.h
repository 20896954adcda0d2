// The step slider without its window: where its positions sit, which
// position a click or a key chooses, where ticks go and what value a
// position stands for. The Quality page's print quality slider and the Color
// page's intensity slider differ only in the rules below; the window
// procedure in ui/win32/step_slider.cpp draws and reads input with them.
#pragma once

#include <cstdint>
#include <optional>

#include "sheet/sheetstate.h"

namespace tqr {

enum class SliderKind { kQuality, kIntensity };

// The trackbar ranges: three quality levels, intensity -50 to +50.
constexpr int kQualitySliderMaximum = 2;
constexpr int kIntensitySliderMaximum = 100;
// The intensity value at position 0.
constexpr int kIntensityOffset = 50;

// Pixels: position p sits at leftMargin + p * spacing.
// Plain data: the pages keep it in their zero-filled state blocks.
struct SliderGeometry {
  int leftMargin;
  int firstTick;
  int spacing;
};

// The thumb picture's width; it is drawn centred on its position.
constexpr int kSliderThumbWidth = 8;

// The spacing comes from the trackbar's own ticks, which the trackbar
// rounds; it is narrowed until the whole scale, with the thumb at either
// end, lies within `clientWidth`. The quality slider keeps a fixed left
// margin; `firstTick` is the trackbar's first tick (TBM_GETTICPOS 0).
SliderGeometry QualitySliderGeometry(int firstTick, int clientWidth);
// The intensity slider is centred in its client width; its spacing comes
// from its first two ticks.
SliderGeometry IntensitySliderGeometry(int firstTick, int secondTick, int clientWidth);

// A trackbar whose ticks give no forward spacing, or that is too narrow for
// a scale, keeps its own drawing and input.
bool SliderDrawsItself(const SliderGeometry& geometry);

// The x of a position's centre.
int SliderPositionX(const SliderGeometry& geometry, int position);
// The position a press at `x` chooses: the nearest one (half way chooses the
// higher), within 0 to `rangeMaximum`.
int SliderPositionAt(const SliderGeometry& geometry, int rangeMaximum, int x);

enum class SliderKey { kPageUp, kPageDown, kLeft, kRight, kUp, kDown, kHome, kEnd };

// The position after a key. The quality slider moves one position within
// the feature's limits and the trackbar's range, so that the value stored
// is always the one shown; the intensity slider moves five positions on the
// page keys and one on the arrows, within its range. Home and End go to the
// range's ends.
int SliderPositionAfterKey(SliderKind kind, SliderKey key, int position, int rangeMaximum,
                           const NumericSetting& feature);

// Ticks at every position (quality) or every 50 (intensity).
int SliderTickStep(SliderKind kind);

// The setting's value at a position, and back.
std::int16_t SliderValueAt(SliderKind kind, int position);
int SliderPositionOf(SliderKind kind, int value);

}  // namespace tqr

#include "ui/step_slider_model.h"

namespace tqr {
namespace {

constexpr int kQualityLeftMargin = 10;
constexpr int kIntensityPageStep = 5;
constexpr int kIntensityTickStep = 50;

int Clamp(int value, int low, int high) {
  if (value > high) return high;
  if (value < low) return low;
  return value;
}

// The trackbar's spacing, or the widest that puts `positions` steps within
// `room` pixels when the trackbar's is wider.
int FittedSpacing(int spacing, int room, int positions) {
  const int widest = room / positions;
  return spacing < widest ? spacing : widest;
}

}  // namespace

SliderGeometry QualitySliderGeometry(int firstTick, int clientWidth) {
  // Position 2 with the thumb's right half still inside the client.
  const int room = clientWidth - kQualityLeftMargin - kSliderThumbWidth / 2;
  const int spacing = FittedSpacing(firstTick - kQualityLeftMargin, room, kQualitySliderMaximum);
  return SliderGeometry{kQualityLeftMargin, firstTick, spacing};
}

SliderGeometry IntensitySliderGeometry(int firstTick, int secondTick, int clientWidth) {
  // Both ends with a whole thumb; centring then leaves at least half a
  // thumb on either side.
  const int room = clientWidth - kSliderThumbWidth;
  const int spacing = FittedSpacing(secondTick - firstTick, room, kIntensitySliderMaximum);
  return SliderGeometry{(clientWidth - spacing * kIntensitySliderMaximum) / 2, firstTick, spacing};
}

bool SliderDrawsItself(const SliderGeometry& geometry) { return geometry.spacing > 0; }

int SliderPositionX(const SliderGeometry& geometry, int position) {
  return position * geometry.spacing + geometry.leftMargin;
}

int SliderPositionAt(const SliderGeometry& geometry, int rangeMaximum, int x) {
  int offset = x - geometry.leftMargin;
  if (offset < 0) offset = 0;
  for (int position = rangeMaximum; position > 0; --position) {
    if (offset >= position * geometry.spacing - geometry.spacing / 2) return position;
  }
  return 0;
}

int SliderPositionAfterKey(SliderKind kind, SliderKey key, int position, int rangeMaximum,
                           const NumericSetting& feature) {
  if (key == SliderKey::kHome) return 0;
  if (key == SliderKey::kEnd) return rangeMaximum;
  const bool down = key == SliderKey::kPageUp || key == SliderKey::kLeft || key == SliderKey::kUp;
  if (kind == SliderKind::kQuality) {
    const int lowest = feature.minimum > 0 ? feature.minimum : 0;
    const int highest = feature.maximum < rangeMaximum ? feature.maximum : rangeMaximum;
    if (down) return position > lowest ? position - 1 : position;
    return position < highest ? position + 1 : position;
  }
  const bool page = key == SliderKey::kPageUp || key == SliderKey::kPageDown;
  const int step = page ? kIntensityPageStep : 1;
  return Clamp(position + (down ? -step : step), 0, kIntensitySliderMaximum);
}

int SliderTickStep(SliderKind kind) { return kind == SliderKind::kQuality ? 1 : kIntensityTickStep; }

std::int16_t SliderValueAt(SliderKind kind, int position) {
  return static_cast<std::int16_t>(kind == SliderKind::kQuality ? position
                                                                : position - kIntensityOffset);
}

int SliderPositionOf(SliderKind kind, int value) {
  return kind == SliderKind::kQuality ? value : value + kIntensityOffset;
}

}  // namespace tqr

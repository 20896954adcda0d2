// What the numeric edit fields let through, one typed character at a time.
// Pasting is refused by the window side before it gets here.
#include <cstddef>

#include "ui/dlgutil.h"

namespace tqr {
namespace {

constexpr int kFirstPrintable = 0x20;
constexpr std::size_t kMaxDigits = 3;

bool Unconvertible(int c) { return c < 0 || c > 0xFF; }
bool IsControl(int c) { return c < kFirstPrintable; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// A printable character would make a fourth digit: with a selection it
// replaces the selected text instead.
bool WouldOverflow(const KeyContext& key) {
  return key.text.size() >= kMaxDigits && key.selectionStart == key.selectionEnd &&
         !IsControl(key.character);
}

bool StartsWithZero(const KeyContext& key) { return !key.text.empty() && key.text[0] == '0'; }

}  // namespace

KeyVerdict DecideIntegerKey(const KeyContext& key) {
  const int c = key.character;
  if (Unconvertible(c) || WouldOverflow(key)) return KeyVerdict::Refuse;
  if (c == '0') {
    // The value is at least 1: no leading zero and no lone zero.
    if (key.text.empty() || key.selectionStart == 0) return KeyVerdict::Refuse;
    if (StartsWithZero(key) && key.selectionStart == 1) return KeyVerdict::Refuse;
    return KeyVerdict::Pass;
  }
  return IsControl(c) || (c >= '1' && c <= '9') ? KeyVerdict::Pass : KeyVerdict::Refuse;
}

KeyVerdict DecideIntegerOrZeroKey(const KeyContext& key) {
  const int c = key.character;
  if (Unconvertible(c) || WouldOverflow(key)) return KeyVerdict::Refuse;
  // A zero may stand alone but never in front of other digits.
  if (c == '0' && key.selectionEnd < key.text.size() && key.selectionStart == 0) {
    return KeyVerdict::Refuse;
  }
  if (StartsWithZero(key)) {
    if (key.selectionStart == 1) return KeyVerdict::Refuse;
    if (key.selectionStart == 0 && c == '0') return KeyVerdict::Refuse;
  }
  return IsControl(c) || IsDigit(c) ? KeyVerdict::Pass : KeyVerdict::Refuse;
}

KeyVerdict DecideDecimalKey(int character) {
  const int c = character;
  if (Unconvertible(c)) return KeyVerdict::Refuse;
  return IsControl(c) || IsDigit(c) || c == '-' || c == '.' ? KeyVerdict::Pass
                                                            : KeyVerdict::Refuse;
}

}  // namespace tqr

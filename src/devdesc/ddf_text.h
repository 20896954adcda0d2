// Reading the description text: lines, entries and the five field forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tqr::ddf {

constexpr std::size_t kMaxLineLength = 159;
constexpr std::size_t kMaxKeywordLength = 15;

// Splits the text into lines ending at LF, CR or a zero byte. Text after the
// last terminator is not part of the description.
class LineReader {
 public:
  LineReader(const std::uint8_t* text, std::size_t size) : text_(text), size_(size) {}

  // The next line without its terminator; false at the end.
  bool Next(std::string_view* line);
  // Line number as an editor shows it (a CR LF pair ends one line).
  unsigned LineNumber() const { return lineNumber_; }
  // Characters after the last terminator, which are never read.
  bool HasUnterminatedTail() const;

 private:
  const std::uint8_t* text_;
  std::size_t size_;
  std::size_t position_ = 0;
  unsigned lineNumber_ = 0;
  bool previousWasCr_ = false;
};

// Reads the fields of one entry, left to right.
class FieldCursor {
 public:
  explicit FieldCursor(std::string_view fields) : text_(fields) {}

  // Text between two double quotes, then past the next ',' or ';'.
  // False when a quote is missing.
  bool Quoted(std::string_view* text);
  // A decimal number kept as a signed 16-bit value.
  std::int16_t Number();
  // The next field as written, up to its ',' or ';' or the line's end,
  // without the blanks around it; reads nothing.
  std::string_view PeekField() const;
  // Two or four unsigned numbers in parentheses.
  void Tuple(std::uint32_t* numbers, std::size_t count);
  // Unquoted text up to the next ',', blanks and tabs dropped; never longer
  // than the line.
  std::string_view Word();

 private:
  bool AtEnd() const { return position_ >= text_.size(); }
  char Peek() const { return text_[position_]; }
  void SkipPastTerminator();

  std::string_view text_;
  std::size_t position_ = 0;
  char word_[kMaxLineLength + 1] = {};
};

}  // namespace tqr::ddf

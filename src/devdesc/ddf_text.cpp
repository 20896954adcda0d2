#include "devdesc/ddf_text.h"

namespace tqr::ddf {
namespace {

bool IsTerminator(std::uint8_t c) { return c == '\n' || c == '\r' || c == 0; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsFieldEnd(char c) { return c == ',' || c == ';'; }

}  // namespace

bool LineReader::Next(std::string_view* line) {
  std::size_t end = position_;
  while (end < size_ && !IsTerminator(text_[end])) ++end;
  if (end >= size_) return false;
  const std::uint8_t terminator = text_[end];
  // The LF of a CR LF pair ends an empty line of its own, which an editor
  // does not count.
  if (!(terminator == '\n' && previousWasCr_ && end == position_)) ++lineNumber_;
  previousWasCr_ = terminator == '\r';
  *line = std::string_view(reinterpret_cast<const char*>(text_ + position_), end - position_);
  position_ = end + 1;
  return true;
}

bool LineReader::HasUnterminatedTail() const {
  for (std::size_t i = position_; i < size_; ++i) {
    if (IsTerminator(text_[i])) return false;
  }
  return position_ < size_;
}

void FieldCursor::SkipPastTerminator() {
  while (!AtEnd() && !IsFieldEnd(Peek())) ++position_;
  if (!AtEnd()) ++position_;
}

bool FieldCursor::Quoted(std::string_view* text) {
  const std::size_t open = text_.find('"', position_);
  if (open == std::string_view::npos) return false;
  const std::size_t close = text_.find('"', open + 1);
  if (close == std::string_view::npos) return false;
  *text = text_.substr(open + 1, close - open - 1);
  position_ = close + 1;
  SkipPastTerminator();
  return true;
}

std::int16_t FieldCursor::Number() {
  while (!AtEnd() && IsBlank(Peek())) ++position_;
  bool negative = false;
  if (!AtEnd() && Peek() == '-') {
    negative = true;
    ++position_;
  }
  std::uint32_t value = 0;  // wraps like the 16-bit result it is cut to
  if (!AtEnd() && IsDigit(Peek())) {
    // Every digit up to the field's end counts, whatever stands between
    // them: "1.5" reads as 15.
    for (; !AtEnd() && !IsFieldEnd(Peek()); ++position_) {
      if (IsDigit(Peek())) value = value * 10 + static_cast<std::uint32_t>(Peek() - '0');
    }
    if (!AtEnd()) ++position_;
  } else if (!AtEnd() && Peek() == '.') {
    while (!AtEnd() && !IsBlank(Peek()) && Peek() != '"') ++position_;
  } else {
    SkipPastTerminator();
  }
  if (negative) value = 0u - value;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

std::string_view FieldCursor::PeekField() const {
  std::size_t start = position_;
  while (start < text_.size() && IsBlank(text_[start])) ++start;
  std::size_t end = start;
  while (end < text_.size() && !IsFieldEnd(text_[end])) ++end;
  while (end > start && IsBlank(text_[end - 1])) --end;
  return text_.substr(start, end - start);
}

void FieldCursor::Tuple(std::uint32_t* numbers, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) numbers[i] = 0;
  while (!AtEnd() && Peek() != '(') ++position_;
  if (!AtEnd()) ++position_;
  std::size_t which = 0;
  for (; !AtEnd() && Peek() != ')'; ++position_) {
    if (Peek() == ',') {
      if (which + 1 < count) ++which;
    } else if (IsDigit(Peek())) {
      numbers[which] = numbers[which] * 10 + static_cast<std::uint32_t>(Peek() - '0');
    }
  }
  SkipPastTerminator();
}

std::string_view FieldCursor::Word() {
  std::size_t length = 0;
  for (; !AtEnd() && Peek() != ','; ++position_) {
    if (!IsBlank(Peek()) && length < kMaxLineLength) word_[length++] = Peek();
  }
  if (!AtEnd()) ++position_;
  return std::string_view(word_, length);
}

}  // namespace tqr::ddf

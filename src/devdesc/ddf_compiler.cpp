#include "devdesc/ddf_compiler.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "devdesc/ddf_image.h"
#include "devdesc/ddf_text.h"

namespace tqr::ddf {
namespace {

constexpr std::size_t kMaxFurtherFeatures = 127;

// Keyword numbers 5 to 19 own the fixed feature slots, in this order.
constexpr std::array<std::string_view, 20> kKeywords = {
    "FileVersion", "DriverName", "DriverUIName", "PrinterID", "Paper",
    "Scale",       "Copies",     "Orientation",  "InputSlot", "Resolution",
    "Color",       "Duplex",     "RenderingType", "TTFont",   "Collate",
    "Media",       "N_up",       "OutputSlot",   "PrnMemory", "Default",
};
enum Keyword : int {
  kFurther = 0,
  kFileVersion = 1,
  kDriverName = 2,
  kDriverUIName = 3,
  kPrinterId = 4,
  kPaper = 5,
  kScale = 6,
  kCopies = 7,
  kPrnMemory = 19,
  kDefault = 20,
};
constexpr int kFirstSlotKeyword = kPaper;

constexpr std::string_view kRangeWord = "DDF_STRUCT_RNGE";

int LookUpKeyword(std::string_view keyword) {
  for (std::size_t i = 0; i < kKeywords.size(); ++i) {
    if (kKeywords[i] == keyword) return static_cast<int>(i) + 1;
  }
  return kFurther;
}

std::uint32_t StructType(std::string_view word) {
  if (word == "DDF_STRUCT_ITEM") return kTypeItem;
  if (word == kRangeWord) return kTypeRange;
  if (word == "DDF_STRUCT_PPER") return kTypePaper;
  return 0;
}

// Whether the entry's last field ends with ';' (outside quotes), as every
// entry's must. The driver reads an entry without it all the same.
bool EndsWithSemicolon(std::string_view fields) {
  bool quoted = false;
  for (const char c : fields) {
    if (c == '"') quoted = !quoted;
    if (c == ';' && !quoted) return true;
  }
  return false;
}

// Digits with an optional leading minus, as a number field is meant to be
// written; the driver reads anything else too, to a value of its own.
bool IsWholeNumber(std::string_view field) {
  if (!field.empty() && field[0] == '-') field.remove_prefix(1);
  if (field.empty()) return false;
  for (const char c : field) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

struct Entry {
  unsigned line = 0;
  std::string_view keyword;
  std::string_view fields;
};

class Compiler {
 public:
  Compiler(const std::uint8_t* text, std::size_t size, CompileReport* report)
      : text_(text), size_(size), report_(report) {}

  bool Run(std::vector<std::uint8_t>* image) {
    if (!CountingPass()) return false;
    if (!FillingPass()) return false;
    image->swap(image_);
    return true;
  }

 private:
  // --- entries ---------------------------------------------------------

  enum class Step { kEntry, kEnd, kError };

  Step NextEntry(LineReader* lines, Entry* entry) {
    std::string_view line;
    while (lines->Next(&line)) {
      if (line.size() > kMaxLineLength) {
        return Fail(lines->LineNumber(), "line longer than 159 characters");
      }
      if (line.empty() || line[0] != '*') continue;
      const std::size_t colon = line.find(':');
      if (colon == std::string_view::npos) {
        return Fail(lines->LineNumber(), "entry without ':' after its keyword");
      }
      if (colon - 1 > kMaxKeywordLength) {
        return Fail(lines->LineNumber(), "keyword longer than 15 characters");
      }
      entry->line = lines->LineNumber();
      entry->keyword = line.substr(1, colon - 1);
      entry->fields = line.substr(colon + 1);
      return Step::kEntry;
    }
    if (lines->HasUnterminatedTail()) {
      Warn(lines->LineNumber() + 1, "last line has no line terminator and is not read");
    }
    return Step::kEnd;
  }

  Step Fail(unsigned line, std::string message) {
    if (report_ != nullptr) report_->error = CompileIssue{line, std::move(message)};
    return Step::kError;
  }
  bool FailEntry(const Entry& entry, std::string message) {
    Fail(entry.line, std::move(message));
    return false;
  }
  // Warnings are for the checker, said once: in the filling pass.
  bool Reporting() const { return report_ != nullptr && filling_; }
  void Warn(unsigned line, std::string message) {
    if (Reporting()) report_->warnings.push_back({line, std::move(message)});
  }
  // A warning found after the entries were read, among the others by its line.
  void WarnAfterTheEntries(unsigned line, std::string message) {
    std::vector<CompileIssue>& warnings = report_->warnings;
    const auto after = std::upper_bound(
        warnings.begin(), warnings.end(), line,
        [](unsigned at, const CompileIssue& issue) { return at < issue.line; });
    warnings.insert(after, CompileIssue{line, std::move(message)});
  }

  // --- counting pass ---------------------------------------------------

  bool CountingPass() {
    LineReader lines(text_, size_);
    std::array<bool, kFixedSlotCount> seen{};
    std::vector<std::string_view> names;  // further features seen so far
    Entry entry;
    Step step;
    while ((step = NextEntry(&lines, &entry)) == Step::kEntry) {
      FieldCursor fields(entry.fields);
      const int keyword = LookUpKeyword(entry.keyword);
      if (keyword == kScale || keyword == kCopies) {
        if (fields.Word() != kRangeWord) continue;
        bool& slot = seen[keyword - kFirstSlotKeyword];
        if (!slot) ++rangeFeatures_;
        slot = true;
        ++itemRangeOptions_;
      } else if (keyword >= kFirstSlotKeyword && keyword <= kPrnMemory) {
        bool& slot = seen[keyword - kFirstSlotKeyword];
        if (!slot) ++itemPaperFeatures_;
        slot = true;
        ++(keyword == kPaper ? paperOptions_ : itemRangeOptions_);
      } else if (keyword == kFurther) {
        if (!CountFurtherEntry(entry, &fields, &names)) return false;
      }
    }
    if (step == Step::kError) return false;
    if (furtherSlots_ > kMaxFurtherFeatures) {
      return FailEntry(Entry{}, "more than 127 further features");
    }
    const std::size_t headerSize = HeaderSizeFor(furtherSlots_);
    const std::size_t total = headerSize + sizeof(FeatureRecord) * itemPaperFeatures_ +
                              sizeof(RangeFeatureRecord) * rangeFeatures_ +
                              sizeof(ItemOptionRecord) * itemRangeOptions_ +
                              sizeof(PaperOptionRecord) * paperOptions_;
    if (total > kMaxImageSize) {
      return FailEntry(Entry{}, "the compiled description reaches 64 KB (" +
                                    std::to_string(total) + " bytes)");
    }
    image_.assign(total, 0);
    Header().furtherCount = static_cast<std::uint16_t>(furtherSlots_);
    Header().headerSize = static_cast<std::uint16_t>(headerSize);
    Header().totalSize = static_cast<std::uint16_t>(total);
    write_ = headerSize;
    return true;
  }

  // A further feature costs a slot each time its name is new to the table;
  // an entry of unknown struct type drops a known name from the table, so
  // the image may hold spare slots and spare room. Both are harmless and
  // keep the layout other tools expect.
  bool CountFurtherEntry(const Entry& entry, FieldCursor* fields,
                         std::vector<std::string_view>* names) {
    const auto known = std::find(names->begin(), names->end(), entry.keyword);
    const bool isNew = known == names->end();
    if (isNew) ++furtherSlots_;
    const std::uint32_t type = StructType(fields->Word());
    if (type == 0) {
      if (!isNew) names->erase(known);
      return true;
    }
    if (isNew) {
      if (names->size() == kMaxFurtherFeatures) {
        return FailEntry(entry, "more than 127 further features");
      }
      ++(type == kTypeRange ? rangeFeatures_ : itemPaperFeatures_);
      names->push_back(entry.keyword);
    }
    ++(type == kTypePaper ? paperOptions_ : itemRangeOptions_);
    return true;
  }

  // --- filling pass ----------------------------------------------------

  bool FillingPass() {
    filling_ = true;
    LineReader lines(text_, size_);
    Entry entry;
    Step step;
    while ((step = NextEntry(&lines, &entry)) == Step::kEntry) {
      if (!FillEntry(entry)) return false;
    }
    if (step != Step::kEnd) return false;
    if (Reporting()) WarnDefaultsPastOptions();
    return true;
  }

  bool FillEntry(const Entry& entry) {
    if (!EndsWithSemicolon(entry.fields)) Warn(entry.line, "entry does not end with ';'");
    FieldCursor fields(entry.fields);
    const int keyword = LookUpKeyword(entry.keyword);
    switch (keyword) {
      case kFileVersion:
        return FillVersion(entry, &fields);
      case kPrinterId:
        return FillPrinterId(entry, &fields);
      case kDriverName:
      case kDriverUIName:
        return true;
      case kDefault:
        return FillDefault(entry, &fields);
      case kFurther:
        return FillFurther(entry, &fields);
      case kScale:
      case kCopies:
        if (fields.Word() != kRangeWord) {
          Warn(entry.line, "\"" + std::string(entry.keyword) +
                               "\" entry without DDF_STRUCT_RNGE is ignored");
          return true;
        }
        return AppendOption(entry, FixedFeature(keyword, kTypeRange), kTypeRange, &fields);
      default: {
        const std::uint32_t type = keyword == kPaper ? kTypePaper : kTypeItem;
        return AppendOption(entry, FixedFeature(keyword, type), type, &fields);
      }
    }
  }

  bool FillVersion(const Entry& entry, FieldCursor* fields) {
    std::string_view version;
    if (!fields->Quoted(&version) || version != "1.01") {
      return FailEntry(entry, "FileVersion must be \"1.01\"");
    }
    Header().version = kVersion101;
    return true;
  }

  bool FillPrinterId(const Entry& entry, FieldCursor* fields) {
    std::string_view id;
    if (!fields->Quoted(&id)) return FailEntry(entry, "PrinterID without its quotes");
    char* target = Header().printerId;
    std::fill(target, target + kPrinterIdSize, '\0');
    id.copy(target, std::min(id.size(), kPrinterIdSize - 1));
    return true;
  }

  bool FillDefault(const Entry& entry, FieldCursor* fields) {
    std::string_view name;
    if (!fields->Quoted(&name)) return FailEntry(entry, "Default without a quoted feature name");
    const std::int16_t index = ReadNumber(entry, fields);
    const std::size_t slots = kFixedSlotCount + Header().furtherCount;
    for (std::size_t i = 0; i < slots; ++i) {
      const std::uint16_t offset = SlotAt(i);
      if (offset != 0 && NameOf(Feature(offset)->name) == name) {
        Feature(offset)->defaultIndex = static_cast<std::uint16_t>(index);
        defaultLines_.push_back({offset, entry.line});
        return true;
      }
    }
    Warn(entry.line, "Default for \"" + std::string(name) +
                         "\" finds no feature before it and is ignored");
    return true;
  }

  bool FillFurther(const Entry& entry, FieldCursor* fields) {
    const std::size_t count = Header().furtherCount;
    std::size_t slot = 0;
    std::uint16_t found = 0;
    for (; slot < count && SlotAt(kFixedSlotCount + slot) != 0; ++slot) {
      const std::uint16_t offset = SlotAt(kFixedSlotCount + slot);
      if (NameOf(Feature(offset)->name) == entry.keyword) {
        found = offset;
        break;
      }
    }
    const std::string_view word = fields->Word();
    const std::uint32_t type = StructType(word);
    if (type == 0) {
      Warn(entry.line, "unknown struct type \"" + std::string(word) + "\"; entry ignored");
      return true;
    }
    if (found == 0) {
      if (slot >= count) return FailEntry(entry, "no further feature slot left");
      found = NewFeature(entry.keyword, type);
      SetSlot(kFixedSlotCount + slot, found);
    } else if (Feature(found)->type != type) {
      return FailEntry(entry, "struct type differs from the feature's first entry");
    }
    return AppendOption(entry, found, type, fields);
  }

  // A number field, with a warning where it is not written as a whole number.
  std::int16_t ReadNumber(const Entry& entry, FieldCursor* fields) {
    const std::string_view written = fields->PeekField();
    const std::int16_t number = fields->Number();
    if (!IsWholeNumber(written)) {
      Warn(entry.line, "\"" + std::string(written) + "\" is not a whole number; the driver reads " +
                           std::to_string(number));
    }
    return number;
  }

  // A "Default" index the feature's options do not reach leaves the feature
  // with no default option; said at the line of the last "Default" that set it.
  void WarnDefaultsPastOptions() {
    for (std::size_t i = defaultLines_.size(); i-- > 0;) {
      const auto [feature, line] = defaultLines_[i];
      const bool laterSetting = std::any_of(
          defaultLines_.begin() + static_cast<std::ptrdiff_t>(i) + 1, defaultLines_.end(),
          [feature = feature](const auto& later) { return later.first == feature; });
      if (laterSetting) continue;
      const std::size_t count = OptionCount(feature);
      const std::uint16_t index = Feature(feature)->defaultIndex;
      if (index < count) continue;
      WarnAfterTheEntries(line, "Default index " + std::to_string(index) + " of \"" +
                                    std::string(NameOf(Feature(feature)->name)) +
                                    "\" is past its " + std::to_string(count) + " option(s)");
    }
  }

  std::size_t OptionCount(std::uint16_t feature) {
    const std::uint16_t first = Feature(feature)->firstOption;
    if (first == 0) return 0;
    std::size_t count = 1;
    const std::size_t limit = image_.size() / sizeof(ItemOptionRecord);
    for (std::uint16_t at = Option(first)->next; at != first && count <= limit;
         at = Option(at)->next) {
      ++count;
    }
    return count;
  }

  // Whether an option of the feature other than `except` has the name.
  bool HasOptionNamed(std::uint16_t feature, std::string_view name, std::uint16_t except) {
    const std::uint16_t first = Feature(feature)->firstOption;
    if (first == 0) return false;
    const std::size_t limit = image_.size() / sizeof(ItemOptionRecord);
    std::uint16_t at = first;
    for (std::size_t seen = 0; seen <= limit; ++seen) {
      const OptionHead* option = Option(at);
      if (at != except &&
          std::string_view(option->name, strnlen(option->name, kOptionNameSize)) == name) {
        return true;
      }
      at = option->next;
      if (at == first) break;
    }
    return false;
  }

  std::uint16_t FixedFeature(int keyword, std::uint32_t type) {
    const std::size_t slot = static_cast<std::size_t>(keyword - kFirstSlotKeyword);
    if (SlotAt(slot) == 0) SetSlot(slot, NewFeature(kKeywords[keyword - 1], type));
    return SlotAt(slot);
  }

  std::uint16_t NewFeature(std::string_view name, std::uint32_t type) {
    const std::uint16_t offset = Allocate(FeatureRecordSize(type));
    if (offset == 0) return 0;
    Feature(offset)->type = type;
    name.copy(Feature(offset)->name, kFeatureNameSize - 1);
    return offset;
  }

  // Adds one option record, read from the entry's fields, to the end of the
  // feature's circular list.
  bool AppendOption(const Entry& entry, std::uint16_t feature, std::uint32_t type,
                    FieldCursor* fields) {
    const std::uint16_t option = feature == 0 ? 0 : Allocate(OptionRecordSize(type));
    if (option == 0) return FailEntry(entry, "the image is smaller than its entries");
    Link(feature, option);
    OptionHead* head = Option(option);
    if (type == kTypeRange) {
      const std::string_view limit = fields->Word();
      At<ItemOptionRecord>(option)->value = ReadNumber(entry, fields);
      auto* range = At<RangeFeatureRecord>(feature);
      if (limit == "Maximum") {
        range->maximumIndex = head->index;
      } else if (limit == "Minimum") {
        range->minimumIndex = head->index;
      } else if (limit == "Level") {
        range->levelIndex = head->index;
      } else if (limit == "Default") {
        range->feature.defaultIndex = head->index;
      } else {
        Warn(entry.line, "unknown range entry \"" + std::string(limit) + "\"");
      }
      return true;
    }
    std::string_view name;
    if (!fields->Quoted(&name)) return FailEntry(entry, "option name without its quotes");
    if (name.size() >= kOptionNameSize) {
      return FailEntry(entry, "option name longer than 63 characters");
    }
    if (Reporting() && HasOptionNamed(feature, name, option)) {
      Warn(entry.line, "option \"" + std::string(name) + "\" of \"" +
                           std::string(NameOf(Feature(feature)->name)) + "\" is listed twice");
    }
    name.copy(head->name, name.size());
    if (type == kTypeItem) {
      At<ItemOptionRecord>(option)->value = ReadNumber(entry, fields);
      return true;
    }
    auto* paper = At<PaperOptionRecord>(option);
    paper->value = static_cast<std::uint16_t>(ReadNumber(entry, fields));
    std::uint32_t numbers[4];
    fields->Tuple(numbers, 2);
    paper->width = numbers[0];
    paper->length = numbers[1];
    fields->Tuple(numbers, 4);
    std::copy(numbers, numbers + 4, paper->extras);
    return true;
  }

  void Link(std::uint16_t feature, std::uint16_t option) {
    OptionHead* added = Option(option);
    const std::uint16_t first = Feature(feature)->firstOption;
    if (first == 0) {
      added->index = 0;
      added->previous = added->next = option;
      Feature(feature)->firstOption = option;
      return;
    }
    OptionHead* head = Option(first);
    if (head->previous == first && head->next == first) {
      added->index = 1;
      added->previous = added->next = first;
      head->previous = head->next = option;
      return;
    }
    if (head->next == first) return;  // a damaged list: leave it alone
    // Walk to the last option; a list can hold no more records than fit.
    std::uint16_t last = first;
    std::uint16_t count = 1;
    const std::size_t limit = image_.size() / sizeof(ItemOptionRecord);
    while (Option(last)->next != first) {
      if (count > limit) return;
      last = Option(last)->next;
      ++count;
    }
    added->index = count;
    added->next = first;
    added->previous = last;
    Option(last)->next = option;
    head->previous = option;
  }

  // --- image access ----------------------------------------------------

  std::uint16_t Allocate(std::size_t size) {
    if (write_ + size > image_.size()) return 0;
    const auto offset = static_cast<std::uint16_t>(write_);
    write_ += size;
    return offset;
  }
  template <typename Record>
  Record* At(std::uint16_t offset) {
    return reinterpret_cast<Record*>(image_.data() + offset);
  }
  ImageHeader& Header() { return *At<ImageHeader>(0); }
  FeatureRecord* Feature(std::uint16_t offset) { return At<FeatureRecord>(offset); }
  OptionHead* Option(std::uint16_t offset) { return At<OptionHead>(offset); }
  std::uint16_t SlotAt(std::size_t slot) {
    std::uint16_t offset;
    std::memcpy(&offset, image_.data() + offsetof(ImageHeader, fixedSlots) + 2 * slot, 2);
    return offset;
  }
  void SetSlot(std::size_t slot, std::uint16_t offset) {
    std::memcpy(image_.data() + offsetof(ImageHeader, fixedSlots) + 2 * slot, &offset, 2);
  }
  static std::string_view NameOf(const char (&name)[kFeatureNameSize]) {
    return std::string_view(name, strnlen(name, kFeatureNameSize));
  }

  const std::uint8_t* text_;
  std::size_t size_;
  CompileReport* report_;
  bool filling_ = false;

  std::size_t itemPaperFeatures_ = 0;
  std::size_t rangeFeatures_ = 0;
  std::size_t itemRangeOptions_ = 0;
  std::size_t paperOptions_ = 0;
  std::size_t furtherSlots_ = 0;

  std::vector<std::uint8_t> image_;
  std::size_t write_ = 0;
  // Each "Default" that found its feature: the feature's offset and the line.
  std::vector<std::pair<std::uint16_t, unsigned>> defaultLines_;
};

}  // namespace

bool CompileDescription(const std::uint8_t* text, std::size_t size,
                        std::vector<std::uint8_t>* image, CompileReport* report) {
  return Compiler(text, size, report).Run(image);
}

}  // namespace tqr::ddf

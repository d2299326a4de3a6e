// INI-style project files: parsing (UTF-8 with BOM or Windows-1252) and writing (UTF-8 with BOM, CR LF).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One "key = value" line. Both are UTF-8, trimmed of blanks and tabs; they
// point into the document and live as long as it does.
struct IniEntry {
  std::string_view key;
  std::string_view value;
};

// The index a document keeps of its names and values (defined by the parser).
struct IniIndex;

// Steps through the entries or groups of a document's index.
template <typename Item>
struct IniIterator {
  const IniIndex* index = nullptr;
  std::uint32_t position = 0;
  Item operator*() const;
  IniIterator& operator++() {
    ++position;
    return *this;
  }
  bool operator==(const IniIterator&) const = default;
};
using IniEntryIterator = IniIterator<IniEntry>;
template <>
IniEntry IniEntryIterator::operator*() const;

// The value lines of one group, in file order.
struct IniEntryList {
  const IniIndex* index = nullptr;
  std::uint32_t firstEntry = 0;
  std::uint32_t endEntry = 0;
  IniEntryIterator begin() const { return {index, firstEntry}; }
  IniEntryIterator end() const { return {index, endEntry}; }
  std::size_t size() const { return endEntry - firstEntry; }
};

// One "[name]" group line with the value lines after it. Lines that come
// before the first group line belong to a group with an empty name. Only what
// a look-up can find is kept: a value line whose key already occurred in a
// group of the same name is left out, and a group left without value lines is
// not listed. A group keeps the spelling of its own group line.
struct IniGroup {
  std::string_view name;
  IniEntryList entries;
};

using IniGroupIterator = IniIterator<IniGroup>;
template <>
IniGroup IniGroupIterator::operator*() const;

// The groups of a document in file order.
struct IniGroupList {
  const IniIndex* index = nullptr;
  std::size_t size() const;
  bool empty() const { return size() == 0; }
  IniGroup operator[](std::size_t i) const { return *IniGroupIterator{index, static_cast<std::uint32_t>(i)}; }
  IniGroupIterator begin() const { return {index, 0}; }
  IniGroupIterator end() const { return {index, static_cast<std::uint32_t>(size())}; }
};

// A parsed file. Its group and key names are indexed once, so a look-up
// costs the same in a file of any size. Copies share the index, which never
// changes after parsing.
struct IniDocument {
  IniGroupList groups;
  std::shared_ptr<const IniIndex> index;
};

// The UTF-8 byte-order mark that starts every file we write.
inline constexpr std::string_view kIniUtf8Bom = "\xEF\xBB\xBF";

// Decodes and parses the bytes of a file. A file that begins with the UTF-8
// byte-order mark is UTF-8 (invalid sequences become U+FFFD); any other file is
// Windows-1252. Lines may end in CR LF, LF or CR. A line whose first non-blank
// character is ';' is a comment; "[name]" opens a group; "key = value" is a
// value line (the first '=' splits it); any other line is ignored. Time and
// memory grow in proportion to the size of the file. (The index holds up to
// 4 GiB of decoded names and values and 2^30 value lines; lines beyond that
// are not read.)
IniDocument IniParse(std::string_view bytes);

// What IniFindValue found: equal to nullptr when the group or key is missing,
// else *found is the value.
class IniFoundValue {
 public:
  IniFoundValue() = default;
  explicit IniFoundValue(std::string_view value) : value_(value), found_(true) {}
  explicit operator bool() const { return found_; }
  std::string_view operator*() const { return value_; }
  friend bool operator==(const IniFoundValue& v, std::nullptr_t) { return !v.found_; }

 private:
  std::string_view value_;
  bool found_ = false;
};

// Group and key names match without regard to ASCII letter case. When a group
// or key occurs more than once, the first value in file order wins.
IniFoundValue IniFindValue(const IniDocument& doc, std::string_view group, std::string_view key);

// The value of group/key, or defaultText when the key is missing.
std::string IniReadText(const IniDocument& doc, std::string_view group, std::string_view key,
                        std::string_view defaultText);

// The value of group/key read as a whole number (optional sign, then digits up
// to the first other character; a text without leading digits gives 0, numbers
// beyond the 64-bit range saturate), or defaultValue when the key is missing.
std::int64_t IniReadInteger(const IniDocument& doc, std::string_view group, std::string_view key,
                            std::int64_t defaultValue);

// Reads a whole text as a whole number by the rule of IniReadInteger.
std::int64_t IniParseInteger(std::string_view text);

// Windows-1252 bytes as UTF-8 (the five undefined bytes map to the C1 controls
// of the same number, as the Windows conversion does).
std::string IniDecodeWindows1252(std::string_view bytes);

// UTF-8 with every invalid or overlong sequence replaced by U+FFFD.
std::string IniSanitizeUtf8(std::string_view bytes);

// Builds a file in memory: the byte-order mark and an empty first line, then
// comment, group and value lines, each ended by CR LF.
struct IniWriter {
  std::string bytes;
  std::string currentGroup;
  bool groupOpen = false;
};

// Starts a new file: byte-order mark followed by CR LF.
void IniWriterStart(IniWriter& writer);

// Writes "; " + text.
void IniWriteComment(IniWriter& writer, std::string_view text);

// Writes key + " = " + value, preceded by "[group]" when the group differs from
// that of the previous value (so a group that gets no value is never written).
// CR and LF in the value are written as blanks, so that no value can start a
// line of its own.
void IniWriteValue(IniWriter& writer, std::string_view group, std::string_view key, std::string_view value);

// INI-style project files: parsing (UTF-8 with BOM or Windows-1252) and writing (UTF-8 with BOM, CR LF).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One "key = value" line. Both are held as UTF-8, trimmed of blanks and tabs.
struct IniEntry {
  std::string key;
  std::string value;
};

// One "[name]" group with its value lines in file order. Lines that come before
// the first group line belong to a group with an empty name.
struct IniGroup {
  std::string name;
  std::vector<IniEntry> entries;
};

struct IniDocument {
  std::vector<IniGroup> groups;
};

// The UTF-8 byte-order mark that starts every file we write.
inline constexpr std::string_view kIniUtf8Bom = "\xEF\xBB\xBF";

// Decodes and parses the bytes of a file. A file that begins with the UTF-8
// byte-order mark is UTF-8 (invalid sequences become U+FFFD); any other file is
// Windows-1252. Lines may end in CR LF, LF or CR. A line whose first non-blank
// character is ';' is a comment; "[name]" opens a group; "key = value" is a
// value line (the first '=' splits it); any other line is ignored.
IniDocument IniParse(std::string_view bytes);

// Group and key names match without regard to ASCII letter case. When a group
// or key occurs more than once, the first value in file order wins.
// Returns nullptr when the group or key is missing.
const std::string* IniFindValue(const IniDocument& doc, std::string_view group, std::string_view key);

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

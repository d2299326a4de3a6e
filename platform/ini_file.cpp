// INI-style project files: parsing (UTF-8 with BOM or Windows-1252) and writing (UTF-8 with BOM, CR LF).
#include "platform/ini_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

// Unicode code points of the bytes 0x80..0x9F in Windows-1252. The bytes 0x81,
// 0x8D, 0x8F, 0x90 and 0x9D are undefined there and keep their C1 code point.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlankOrTab(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankOrTab(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Appends the Windows-1252 bytes as UTF-8.
void AppendWindows1252(std::string& out, std::string_view bytes) {
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out.push_back(ch);
    } else if (b < 0xA0) {
      AppendUtf8(out, kWindows1252High[b - 0x80]);
    } else {
      AppendUtf8(out, b);  // 0xA0..0xFF equal Latin-1 and Unicode
    }
  }
}

// Appends the bytes with every invalid or overlong UTF-8 sequence replaced by
// U+FFFD.
void AppendSanitizedUtf8(std::string& out, std::string_view bytes) {
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  auto cont = [&](std::size_t k) {
    return k < n && (static_cast<unsigned char>(bytes[k]) & 0xC0) == 0x80;
  };
  while (i < n) {
    // A run of ASCII bytes is copied as it stands.
    std::size_t run = i;
    while (run < n && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
    if (run > i) {
      out.append(bytes.substr(i, run - i));
      i = run;
      if (i == n) break;
    }
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t len = 0;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
      len = 2;
    } else if (b >= 0xE0 && b <= 0xEF && cont(i + 1) && cont(i + 2)) {
      len = 3;
      cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(bytes[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(bytes[i + 2]) & 0x3Fu);
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) len = 0;  // overlong or surrogate
    } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
      len = 4;
      cp = ((b & 0x07u) << 18) | ((static_cast<unsigned char>(bytes[i + 1]) & 0x3Fu) << 12) |
           ((static_cast<unsigned char>(bytes[i + 2]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(bytes[i + 3]) & 0x3Fu);
      if (cp < 0x10000 || cp > 0x10FFFF) len = 0;
    }
    if (len == 0) {
      AppendUtf8(out, 0xFFFD);
      ++i;
    } else {
      out.append(bytes.substr(i, len));
      i += len;
    }
  }
}

// Hashes of names in ASCII lower case, so that names that match get the same
// hash: FNV-1a over the group name, a byte that decoded text never holds, the
// key, then a final mix for the power-of-two table.
constexpr std::uint64_t kFnvStart = 0xCBF29CE484222325ull;

std::uint64_t FnvStep(std::uint64_t h, unsigned char byte) { return (h ^ byte) * 0x100000001B3ull; }

std::uint64_t FnvLower(std::uint64_t h, std::string_view text) {
  for (const char c : text) h = FnvStep(h, static_cast<unsigned char>(AsciiLower(c)));
  return h;
}

std::uint64_t MixHash(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

// The hash state after a group name, ready for its key.
std::uint64_t HashGroupName(std::string_view group) { return FnvStep(FnvLower(kFnvStart, group), 0xFF); }

std::uint64_t HashKey(std::uint64_t groupState, std::string_view key) { return MixHash(FnvLower(groupState, key)); }

}  // namespace

// The decoded names and values of one file, and a hash table that finds the
// first value line of a group name and key. The table is at most three
// quarters full.
struct IniIndex {
  struct Group {
    std::uint32_t nameOffset;  // in text
    std::uint32_t nameSize;
    std::uint32_t firstEntry;  // its value lines run up to the next group's
  };
  struct Entry {
    std::uint32_t keyOffset;  // the key, then straight after it the value
    std::uint32_t keySize;
    std::uint32_t valueSize;
  };
  std::string text;
  std::vector<Group> groups;
  std::vector<Entry> entries;
  std::vector<std::uint32_t> entryGroup;  // per entry: its group
  std::vector<std::uint64_t> slots;
};

namespace {

constexpr std::size_t kFirstTableSize = 64;

std::string_view GroupName(const IniIndex& ix, std::uint32_t g) {
  return std::string_view(ix.text).substr(ix.groups[g].nameOffset, ix.groups[g].nameSize);
}

std::string_view EntryKey(const IniIndex& ix, std::uint32_t e) {
  return std::string_view(ix.text).substr(ix.entries[e].keyOffset, ix.entries[e].keySize);
}

std::string_view EntryValue(const IniIndex& ix, std::uint32_t e) {
  const IniIndex::Entry& entry = ix.entries[e];
  return std::string_view(ix.text).substr(entry.keyOffset + entry.keySize, entry.valueSize);
}

// A table of 2^bits slots places an item by the top bits of its hash. A slot
// holds the upper half of the hash above 1 + the item's index (0: free), so
// that most comparisons of names are spared and the table can grow without
// hashing again.
std::uint64_t MakeSlot(std::uint64_t hash, std::uint32_t item) {
  return (hash & 0xFFFFFFFF00000000ull) | (static_cast<std::uint64_t>(item) + 1);
}

std::uint32_t SlotItem(std::uint64_t slot) { return static_cast<std::uint32_t>(slot) - 1; }

std::size_t HomeSlot(const std::vector<std::uint64_t>& slots, std::uint64_t hash) {
  return static_cast<std::size_t>(hash >> (64 - std::countr_zero(slots.size())));
}

// The slot that holds an item with this hash for which matches() is true, or
// else the free slot where such an item belongs.
template <typename Matches>
std::size_t ProbeSlot(const std::vector<std::uint64_t>& slots, std::uint64_t hash, Matches matches) {
  const std::size_t mask = slots.size() - 1;
  const std::uint64_t tag = hash & 0xFFFFFFFF00000000ull;
  std::size_t i = HomeSlot(slots, hash);
  while (slots[i] != 0 && ((slots[i] & 0xFFFFFFFF00000000ull) != tag || !matches(SlotItem(slots[i])))) {
    i = (i + 1) & mask;
  }
  return i;
}

// Doubles a table of count items before one more would fill it beyond three
// quarters. Taking the old slots in order, the new ones fill nearly in order.
void GrowTableForOneMore(std::vector<std::uint64_t>& slots, std::size_t count) {
  if ((count + 1) * 4 <= slots.size() * 3) return;
  std::vector<std::uint64_t> grown(slots.size() * 2, 0);
  for (const std::uint64_t slot : slots) {
    if (slot != 0) grown[ProbeSlot(grown, slot, [](std::uint32_t) { return false; })] = slot;
  }
  slots.swap(grown);
}

std::size_t FindEntrySlot(const IniIndex& ix, std::string_view group, std::string_view key, std::uint64_t hash) {
  return ProbeSlot(ix.slots, hash, [&](std::uint32_t e) {
    return EqualIgnoringAsciiCase(EntryKey(ix, e), key) && EqualIgnoringAsciiCase(GroupName(ix, ix.entryGroup[e]), group);
  });
}

// The number of bytes equal to c, counted eight at a time: a byte of x is
// zero exactly where the text holds c, the sum below sets the top bit of
// exactly the bytes of x that are not zero, and the product adds up bytes.
std::size_t CountByte(std::string_view text, char c) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  const std::uint64_t pattern = 0x0101010101010101ull * static_cast<unsigned char>(c);
  std::size_t n = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + i, 8);
    const std::uint64_t x = word ^ pattern;
    const std::uint64_t found = (~(((x & kLow7) + kLow7) | x | kLow7)) >> 7;  // 1 per byte found
    n += static_cast<std::size_t>((found * 0x0101010101010101ull) >> 56);
  }
  for (; i < text.size(); ++i) n += text[i] == c ? 1 : 0;
  return n;
}

// Splits the first line off rest; the line end (CR LF, LF or CR) is dropped.
std::string_view TakeLine(std::string_view& rest) {
  std::size_t end = 0;
  while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n') ++end;
  const std::string_view line = rest.substr(0, end);
  std::size_t next = end;
  if (end < rest.size()) {
    ++next;
    if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n') ++next;
  }
  rest.remove_prefix(next);
  return line;
}

enum class IniLineKind { kOther, kGroup, kValue };

// A line's kind and its trimmed parts: the group name, or the key and value.
struct IniLine {
  IniLineKind kind = IniLineKind::kOther;
  std::string_view name;
  std::string_view value;
  std::size_t rawSize = 0;  // the whole line's
};

IniLine ClassifyLine(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == ';') return {};
  if (line.front() == '[') {
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    if (close != std::string_view::npos) line = line.substr(0, close);
    return {IniLineKind::kGroup, TrimBlanks(line), {}, 0};
  }
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  return {IniLineKind::kValue, TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1)), 0};
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Reads the lines of one file into an index, one line at a time.
struct IniParser {
  explicit IniParser(IniIndex& index) : ix(index) {}

  IniIndex& ix;
  bool utf8 = false;
  // The current group line: its name as in the file, and once a value line
  // needed it, the decoded name in the text and its hash state.
  std::string_view groupLine;
  bool nameDecoded = false;
  std::uint32_t nameOffset = 0;
  std::uint32_t nameSize = 0;
  std::uint64_t nameHash = 0;
  bool groupListed = false;

  // Appends the decoded bytes to the text; returns the offset they start at.
  std::uint32_t AppendText(std::string_view raw) {
    const auto offset = static_cast<std::uint32_t>(ix.text.size());
    if (utf8) {
      AppendSanitizedUtf8(ix.text, raw);
    } else {
      AppendWindows1252(ix.text, raw);
    }
    return offset;
  }

  std::string_view TextAt(std::uint32_t offset, std::uint32_t size) const {
    return std::string_view(ix.text).substr(offset, size);
  }

  void StartGroup(std::string_view rawName) {
    // A name that no kept value line needed is taken back.
    if (nameDecoded && !groupListed && ix.text.size() == nameOffset + nameSize) ix.text.resize(nameOffset);
    groupLine = rawName;
    nameDecoded = false;
    groupListed = false;
  }

  void AddValueLine(std::string_view rawKey, std::string_view rawValue) {
    if (!nameDecoded) {
      nameOffset = AppendText(groupLine);
      nameSize = static_cast<std::uint32_t>(ix.text.size() - nameOffset);
      nameHash = HashGroupName(TextAt(nameOffset, nameSize));
      nameDecoded = true;
    }
    const std::uint32_t keyOffset = AppendText(rawKey);
    const auto keySize = static_cast<std::uint32_t>(ix.text.size() - keyOffset);
    GrowTableForOneMore(ix.slots, ix.entries.size());
    const std::string_view key = TextAt(keyOffset, keySize);
    const std::uint64_t hash = HashKey(nameHash, key);
    const std::size_t slot = FindEntrySlot(ix, TextAt(nameOffset, nameSize), key, hash);
    if (ix.slots[slot] != 0) {
      ix.text.resize(keyOffset);  // an earlier value wins
      return;
    }
    if (!groupListed) {
      ix.groups.push_back({nameOffset, nameSize, static_cast<std::uint32_t>(ix.entries.size())});
      groupListed = true;
    }
    const std::uint32_t valueOffset = AppendText(rawValue);
    ix.entries.push_back({keyOffset, keySize, static_cast<std::uint32_t>(ix.text.size() - valueOffset)});
    ix.entryGroup.push_back(static_cast<std::uint32_t>(ix.groups.size() - 1));
    ix.slots[slot] = MakeSlot(hash, static_cast<std::uint32_t>(ix.entries.size() - 1));
  }

  void ParseLine(const IniLine& line) {
    if (line.kind == IniLineKind::kGroup) {
      StartGroup(line.name);
    } else if (line.kind == IniLineKind::kValue) {
      AddValueLine(line.name, line.value);
    }
  }
};

// Splits and classifies the lines some lines ahead of the parser and has the
// processor fetch the table slots their keys will probe: in a file of
// millions of names, waiting for those slots would take most of the time.
// Only names of ASCII bytes, which decode to themselves, are hashed here.
struct LineReader {
  static constexpr std::size_t kAhead = 16;

  explicit LineReader(std::string_view bytes) : rest(bytes) {}

  std::string_view rest;
  std::array<IniLine, kAhead> ahead{};
  std::size_t first = 0;
  std::size_t count = 0;
  std::string_view groupName;  // hashed when a value line needs it
  bool groupHashed = false;
  bool groupAscii = true;
  std::uint64_t groupHash = 0;

  void ReadAhead(const std::vector<std::uint64_t>& slots) {
    const std::string_view raw = TakeLine(rest);
    IniLine line = ClassifyLine(raw);
    line.rawSize = raw.size();
    if (line.kind == IniLineKind::kGroup) {
      groupName = line.name;
      groupHashed = false;
    } else if (line.kind == IniLineKind::kValue) {
      if (!groupHashed) {
        groupAscii = IsAscii(groupName);
        groupHash = HashGroupName(groupName);
        groupHashed = true;
      }
      if (groupAscii && IsAscii(line.name)) __builtin_prefetch(&slots[HomeSlot(slots, HashKey(groupHash, line.name))]);
    }
    ahead[(first + count) % kAhead] = line;
    ++count;
  }

  // The next line of the file; false at its end.
  bool Next(const std::vector<std::uint64_t>& slots, IniLine& line) {
    while (count < kAhead && !rest.empty()) ReadAhead(slots);
    if (count == 0) return false;
    line = ahead[first];
    first = (first + 1) % kAhead;
    --count;
    return true;
  }
};

// Whether the decoded text of a line of this size still fits the 32-bit
// offsets of the index (a byte decodes to at most three), and one more value
// line the table.
bool LineFitsIndex(const IniIndex& ix, std::size_t lineSize) {
  constexpr std::size_t kTextLimit = 0xFFFFFFF0u;
  constexpr std::size_t kEntryLimit = std::size_t{1} << 30;
  return ix.text.size() <= kTextLimit && lineSize <= (kTextLimit - ix.text.size()) / 3 &&
         ix.entries.size() < kEntryLimit;
}

}  // namespace

std::string IniDecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  AppendWindows1252(out, bytes);
  return out;
}

std::string IniSanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  AppendSanitizedUtf8(out, bytes);
  return out;
}

IniDocument IniParse(std::string_view bytes) {
  const auto index = std::make_shared<IniIndex>();
  IniIndex& ix = *index;
  ix.slots.assign(kFirstTableSize, 0);
  IniParser parser(ix);
  if (bytes.substr(0, kIniUtf8Bom.size()) == kIniUtf8Bom) {
    parser.utf8 = true;
    bytes.remove_prefix(kIniUtf8Bom.size());
  }
  // Room for an ASCII file's names and values and for as many value lines as
  // the file can hold, so that nothing is moved while the index grows. Only
  // what is written to takes memory from the system.
  ix.text.reserve(bytes.size());
  const std::size_t maxValueLines =
      std::min(CountByte(bytes, '='), CountByte(bytes, '\r') + CountByte(bytes, '\n') + 1);
  ix.groups.reserve(maxValueLines);
  ix.entries.reserve(maxValueLines);
  ix.entryGroup.reserve(maxValueLines);
  // The line structure is found in the undecoded bytes: both decodings keep
  // every ASCII byte and turn no other byte into one.
  LineReader reader(bytes);
  IniLine line;
  while (reader.Next(ix.slots, line) && LineFitsIndex(ix, line.rawSize)) parser.ParseLine(line);
  IniDocument doc;
  doc.groups.index = index.get();
  doc.index = index;
  return doc;
}

template <>
IniEntry IniEntryIterator::operator*() const { return {EntryKey(*index, position), EntryValue(*index, position)}; }

template <>
IniGroup IniGroupIterator::operator*() const {
  const std::uint32_t end = position + 1 < index->groups.size() ? index->groups[position + 1].firstEntry
                                                                : static_cast<std::uint32_t>(index->entries.size());
  return {GroupName(*index, position), IniEntryList{index, index->groups[position].firstEntry, end}};
}

std::size_t IniGroupList::size() const { return index == nullptr ? 0 : index->groups.size(); }

IniFoundValue IniFindValue(const IniDocument& doc, std::string_view group, std::string_view key) {
  const IniIndex* ix = doc.index.get();
  if (ix == nullptr) return {};
  const std::size_t slot = FindEntrySlot(*ix, group, key, HashKey(HashGroupName(group), key));
  if (ix->slots[slot] == 0) return {};
  return IniFoundValue(EntryValue(*ix, SlotItem(ix->slots[slot])));
}

std::string IniReadText(const IniDocument& doc, std::string_view group, std::string_view key,
                        std::string_view defaultText) {
  const IniFoundValue value = IniFindValue(doc, group, key);
  return std::string(value ? *value : defaultText);
}

std::int64_t IniParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Accumulate as a negative number: its range reaches the smallest int64.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t acc = 0;
  bool saturated = false;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (acc < (kMin + digit) / 10) {
      saturated = true;
      break;
    }
    acc = acc * 10 - digit;
  }
  if (saturated) return negative ? kMin : kMax;
  if (negative) return acc;
  return acc == kMin ? kMax : -acc;
}

std::int64_t IniReadInteger(const IniDocument& doc, std::string_view group, std::string_view key,
                            std::int64_t defaultValue) {
  const IniFoundValue value = IniFindValue(doc, group, key);
  return value ? IniParseInteger(*value) : defaultValue;
}

void IniWriterStart(IniWriter& writer) {
  writer.bytes.assign(kIniUtf8Bom);
  writer.bytes += "\r\n";
  writer.currentGroup.clear();
  writer.groupOpen = false;
}

void IniWriteComment(IniWriter& writer, std::string_view text) {
  writer.bytes += "; ";
  for (const char c : text) writer.bytes.push_back((c == '\r' || c == '\n') ? ' ' : c);
  writer.bytes += "\r\n";
}

void IniWriteValue(IniWriter& writer, std::string_view group, std::string_view key, std::string_view value) {
  if (!writer.groupOpen || writer.currentGroup != group) {
    writer.bytes += '[';
    writer.bytes += group;
    writer.bytes += "]\r\n";
    writer.currentGroup.assign(group);
    writer.groupOpen = true;
  }
  writer.bytes += key;
  writer.bytes += " = ";
  for (const char c : value) writer.bytes.push_back((c == '\r' || c == '\n') ? ' ' : c);
  writer.bytes += "\r\n";
}

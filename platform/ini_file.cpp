// INI-style project files: parsing (UTF-8 with BOM or Windows-1252) and writing (UTF-8 with BOM, CR LF).
#include "platform/ini_file.h"

#include <limits>

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

void ParseLine(std::string_view line, IniDocument& doc) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == ';') return;
  if (line.front() == '[') {
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    if (close != std::string_view::npos) line = line.substr(0, close);
    doc.groups.push_back(IniGroup{std::string(TrimBlanks(line)), {}});
    return;
  }
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  if (doc.groups.empty()) doc.groups.push_back(IniGroup{});
  doc.groups.back().entries.push_back(
      IniEntry{std::string(TrimBlanks(line.substr(0, eq))), std::string(TrimBlanks(line.substr(eq + 1)))});
}

}  // namespace

std::string IniDecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
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
  return out;
}

std::string IniSanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  auto cont = [&](std::size_t k) {
    return k < n && (static_cast<unsigned char>(bytes[k]) & 0xC0) == 0x80;
  };
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t len = 0;
    char32_t cp = 0;
    if (b < 0x80) {
      len = 1;
      cp = b;
    } else if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
      len = 2;
      cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(bytes[i + 1]) & 0x3Fu);
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
  return out;
}

IniDocument IniParse(std::string_view bytes) {
  std::string text;
  if (bytes.substr(0, kIniUtf8Bom.size()) == kIniUtf8Bom) {
    text = IniSanitizeUtf8(bytes.substr(kIniUtf8Bom.size()));
  } else {
    text = IniDecodeWindows1252(bytes);
  }
  IniDocument doc;
  std::string_view rest(text);
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      ParseLine(rest, doc);
      break;
    }
    ParseLine(rest.substr(0, end), doc);
    std::size_t next = end + 1;
    if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n') ++next;
    rest.remove_prefix(next);
  }
  return doc;
}

const std::string* IniFindValue(const IniDocument& doc, std::string_view group, std::string_view key) {
  for (const IniGroup& g : doc.groups) {
    if (!EqualIgnoringAsciiCase(g.name, group)) continue;
    for (const IniEntry& e : g.entries) {
      if (EqualIgnoringAsciiCase(e.key, key)) return &e.value;
    }
  }
  return nullptr;
}

std::string IniReadText(const IniDocument& doc, std::string_view group, std::string_view key,
                        std::string_view defaultText) {
  const std::string* value = IniFindValue(doc, group, key);
  return value ? *value : std::string(defaultText);
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
  const std::string* value = IniFindValue(doc, group, key);
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

// A small ISO 10303-21 reader for the tests: splits a STEP file into its
// header and its entities, parses every entity's parameters into a tree, and
// walks the B-rep of each solid. It knows nothing of how the writer works.
#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace step_reader {

// One parameter: a list, a reference, a string, a number, an enumeration
// (.T.), or one of the markers * and $.
struct Param {
  enum Kind { kList, kRef, kString, kNumber, kEnum, kStar, kDollar, kTyped } kind = kList;
  std::vector<Param> items;  // list items, or the single argument of a typed value
  int64_t ref = 0;
  std::string text;  // string contents, enum name, number text, typed-value keyword
  double number = 0.0;
};

struct Entity {
  int64_t id = 0;
  std::string name;         // keyword, or "(complex)" for a complex entity
  std::vector<Param> args;  // the parameters (for a complex entity: one typed value per part)
  std::string raw;          // the text between "=" and ";"
};

struct File {
  std::vector<std::string> lines;      // without line ends
  bool allLinesEndCrLf = false;
  std::vector<std::string> header;     // the lines between HEADER; and ENDSEC;
  std::map<int64_t, Entity> entities;  // by id
  std::vector<int64_t> order;          // ids in file order
  std::vector<std::string> errors;     // every syntax fault found
};

class Parser {
 public:
  explicit Parser(const std::string& s) : s_(s) {}
  bool ParseParams(std::vector<Param>& out) {  // at "(": a parenthesised list
    if (!Eat('(')) return false;
    if (Peek() == ')') return Eat(')');
    while (true) {
      Param p;
      if (!ParseParam(p)) return false;
      out.push_back(std::move(p));
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      return Eat(')');
    }
  }
  bool AtEnd() const { return pos_ == s_.size(); }
  std::size_t pos_ = 0;

  bool ParseKeyword(std::string& word) {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && (std::isupper(static_cast<unsigned char>(s_[pos_])) ||
                                std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_')) {
      ++pos_;
    }
    word = s_.substr(start, pos_ - start);
    return !word.empty() && std::isupper(static_cast<unsigned char>(word[0]));
  }
  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
  bool Eat(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

 private:
  bool ParseParam(Param& p) {
    const char c = Peek();
    if (c == '(') {
      p.kind = Param::kList;
      return ParseParams(p.items);
    }
    if (c == '#') {
      ++pos_;
      const std::size_t start = pos_;
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
      if (start == pos_ || s_[start] == '0') return false;
      p.kind = Param::kRef;
      p.ref = std::stoll(s_.substr(start, pos_ - start));
      return true;
    }
    if (c == '\'') {
      ++pos_;
      p.kind = Param::kString;
      while (pos_ < s_.size()) {
        if (s_[pos_] == '\'') {
          if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
            p.text += '\'';
            pos_ += 2;
            continue;
          }
          ++pos_;
          return true;
        }
        const unsigned char ch = static_cast<unsigned char>(s_[pos_]);
        if (ch < 0x20 || ch > 0x7E) return false;  // only the basic alphabet in a file
        p.text += s_[pos_++];
      }
      return false;
    }
    if (c == '.') {
      ++pos_;
      std::string word;
      if (!ParseKeyword(word) || !Eat('.')) return false;
      p.kind = Param::kEnum;
      p.text = word;
      return true;
    }
    if (c == '*') {
      ++pos_;
      p.kind = Param::kStar;
      return true;
    }
    if (c == '$') {
      ++pos_;
      p.kind = Param::kDollar;
      return true;
    }
    if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
      // REAL or INTEGER of ISO 10303-21: sign, digits, optional "." digits, optional E exponent.
      const std::size_t start = pos_;
      if (c == '-' || c == '+') ++pos_;
      const std::size_t digits = pos_;
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
      if (digits == pos_) return false;
      if (Peek() == '.') {
        ++pos_;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
      }
      if (Peek() == 'E') {
        ++pos_;
        if (Peek() == '-' || Peek() == '+') ++pos_;
        const std::size_t exp = pos_;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
        if (exp == pos_) return false;
      }
      p.kind = Param::kNumber;
      p.text = s_.substr(start, pos_ - start);
      p.number = std::stod(p.text);
      return true;
    }
    if (std::isupper(static_cast<unsigned char>(c))) {  // typed value: LENGTH_MEASURE(1.E-06)
      p.kind = Param::kTyped;
      if (!ParseKeyword(p.text)) return false;
      return ParseParams(p.items);
    }
    return false;
  }
  const std::string& s_;
};

inline bool ParseEntity(const std::string& text, Entity& e) {
  e.raw = text;
  Parser parser(text);
  if (parser.Peek() == '(') {  // complex entity: (A()B(...)...)
    parser.Eat('(');
    e.name = "(complex)";
    while (parser.Peek() != ')') {
      Param part;
      part.kind = Param::kTyped;
      if (!parser.ParseKeyword(part.text) || !parser.ParseParams(part.items)) return false;
      e.args.push_back(std::move(part));
    }
    parser.Eat(')');
    return parser.AtEnd() && !e.args.empty();
  }
  if (!parser.ParseKeyword(e.name)) return false;
  if (!parser.ParseParams(e.args)) return false;
  return parser.AtEnd();
}

inline File ReadFile(const std::string& bytes) {
  File f;
  f.allLinesEndCrLf = !bytes.empty();
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos) {
      f.allLinesEndCrLf = false;
      f.lines.push_back(bytes.substr(start));
      break;
    }
    if (lf == start || bytes[lf - 1] != '\r') f.allLinesEndCrLf = false;
    const std::size_t end = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
    f.lines.push_back(bytes.substr(start, end - start));
    start = lf + 1;
  }
  enum { kBefore, kHeader, kBetween, kData, kAfter } state = kBefore;
  for (const std::string& line : f.lines) {
    if (line.find('\r') != std::string::npos) f.errors.push_back("stray CR: " + line.substr(0, 40));
    if (state == kBefore) {
      if (line == "HEADER;") state = kHeader;
    } else if (state == kHeader) {
      if (line == "ENDSEC;") {
        state = kBetween;
      } else {
        f.header.push_back(line);
      }
    } else if (state == kBetween) {
      if (line == "DATA;") state = kData;
    } else if (state == kData) {
      if (line == "ENDSEC;") {
        state = kAfter;
        continue;
      }
      const std::size_t eq = line.find('=');
      if (line.empty() || line[0] != '#' || eq == std::string::npos || line.back() != ';') {
        f.errors.push_back("bad data line: " + line.substr(0, 60));
        continue;
      }
      Entity e;
      e.id = std::stoll(line.substr(1, eq - 1));
      if (!ParseEntity(line.substr(eq + 1, line.size() - eq - 2), e)) {
        f.errors.push_back("unparsable entity: " + line.substr(0, 80));
        continue;
      }
      if (f.entities.count(e.id) != 0) f.errors.push_back("id defined twice: " + std::to_string(e.id));
      f.order.push_back(e.id);
      f.entities[e.id] = std::move(e);
    }
  }
  if (state != kAfter) f.errors.push_back("sections not closed");
  return f;
}

// Every reference inside a parameter tree.
inline void CollectRefs(const std::vector<Param>& params, std::vector<int64_t>& refs) {
  for (const Param& p : params) {
    if (p.kind == Param::kRef) refs.push_back(p.ref);
    CollectRefs(p.items, refs);
  }
}

// "#<id>", built by appending (GCC 12 warns falsely on "#" + std::string).
inline std::string Ref(int64_t id) {
  std::string text(1, '#');
  text += std::to_string(id);
  return text;
}

struct Point3 {
  double x = 0.0, y = 0.0, z = 0.0;
};

inline double Distance(const Point3& a, const Point3& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// Typed access with checks recorded in errors.
class Model {
 public:
  explicit Model(const File& f) : f_(f) {}
  const Entity& Get(int64_t id, const std::string& expectedName) const {
    static const Entity missing;
    const auto it = f_.entities.find(id);
    if (it == f_.entities.end()) {
      errors.push_back("missing #" + std::to_string(id));
      return missing;
    }
    if (!expectedName.empty() && it->second.name != expectedName) {
      errors.push_back(Ref(id) + " is " + it->second.name + ", expected " + expectedName);
    }
    return it->second;
  }
  const Entity& GetAny(int64_t id) const { return Get(id, ""); }
  Point3 PointOf(int64_t cartesianPoint) const {
    const Entity& e = Get(cartesianPoint, "CARTESIAN_POINT");
    Point3 p;
    if (e.args.size() == 2 && e.args[1].items.size() == 3) {
      p.x = e.args[1].items[0].number;
      p.y = e.args[1].items[1].number;
      p.z = e.args[1].items[2].number;
    } else {
      errors.push_back("bad point #" + std::to_string(cartesianPoint));
    }
    return p;
  }
  Point3 VertexPoint(int64_t vertex) const { return PointOf(Get(vertex, "VERTEX_POINT").args.at(1).ref); }
  Point3 DirectionOf(int64_t direction) const {
    const Entity& e = Get(direction, "DIRECTION");
    Point3 d{e.args.at(1).items.at(0).number, e.args.at(1).items.at(1).number, e.args.at(1).items.at(2).number};
    const double l = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return {d.x / l, d.y / l, d.z / l};
  }
  mutable std::vector<std::string> errors;

 private:
  const File& f_;
};

}  // namespace step_reader

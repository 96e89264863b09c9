#include "framework/XMLParser.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "platform/FileSystem.h"

namespace {

// States of the parse loop.
constexpr int kStart = 0;
constexpr int kAfterOpen = 1;  // after '<'
constexpr int kText = 2;
constexpr int kClosingTag = 3;
constexpr int kComment = 4;
constexpr int kResume = 5;        // looking for the next '<' after an error
constexpr int kAfterSpecial = 6;  // after "<!"

struct Entity {
  char character;
  std::string_view name;
};
// The only entities of the mark-up; the second is "rt", not "gt".
constexpr std::array<Entity, 2> kEntities{{{'<', "lt"}, {'>', "rt"}}};

// isspace in the "C" locale, whatever the process locale is.
bool IsSpace(int c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsNameDelimiter(int c) {
  return c == '&' || c == '/' || c == ';' || c == '<' || c == '=' || c == '>';
}

// Clears the parser's hold on a stream however the parse ends.
class InputScope {
 public:
  InputScope(std::istream*& slot, std::istream& in) : slot_(slot) { slot_ = &in; }
  ~InputScope() { slot_ = nullptr; }
  InputScope(const InputScope&) = delete;
  InputScope& operator=(const InputScope&) = delete;

 private:
  std::istream*& slot_;
};

template <typename T>
std::string ToText(T value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace

// ---- Attributes -------------------------------------------------------

int XMLParser::Attr::AsInt() const {
  // atoi, with values beyond the int range held at its ends.
  const long v = std::strtol(value.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
}

std::uint32_t XMLParser::Attr::AsHex() const {
  // strtoul as on a system with a 32-bit unsigned long: out of range gives
  // 0xffffffff, a negative value wraps.
  const unsigned long long v = std::strtoull(value.c_str(), nullptr, 16);
  if (v > 0xFFFFFFFFull && v <= 0xFFFFFFFF00000000ull) return 0xFFFFFFFFu;
  return static_cast<std::uint32_t>(v);
}

float XMLParser::Attr::AsFloat() const {
  return std::strtof(value.c_str(), nullptr);
}

bool XMLParser::Attr::AsBool() const {
  return AsInt() > 0;
}

YRect XMLParser::Attr::AsRect() const {
  // Reads "[%f,%f,%f,%f]" as scanf would: the literals must match exactly,
  // each number may be preceded by spaces. Reading stops at the first
  // mismatch and the numbers not read stay 0.
  float numbers[4] = {0, 0, 0, 0};
  const char* p = value.c_str();
  if (*p++ != '[') return YRect();
  for (int i = 0; i < 4; ++i) {
    if (i > 0 && *p++ != ',') break;
    char* end = nullptr;
    const float v = std::strtof(p, &end);
    if (end == p) break;
    numbers[i] = v;
    p = end;
  }
  return YRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

void XMLParser::Attr::SetBool(bool v) {
  value.assign(1, v ? '1' : '0');
}
void XMLParser::Attr::SetInt(std::int32_t v) {
  value = ToText(v);
}
void XMLParser::Attr::SetFloat(float v) {
  value = ToText(v);
}

void XMLParser::Attr::SetHex(std::uint32_t v) {
  std::ostringstream out;
  out << std::hex << v;
  value = out.str();
}

// ---- Schema -----------------------------------------------------------

XMLParser::XMLParser() {
  text_.reserve(8);
}

XMLParser::~XMLParser() = default;

XMLParser::Tag XMLParser::MakeTag(std::string_view name,
                                  std::initializer_list<std::pair<const char*, const char*>> attrs) {
  Tag tag;
  tag.name = std::string(name);
  for (const auto& [attrName, defaultValue] : attrs) {
    Attr attr;
    attr.name = attrName ? attrName : "";
    attr.defaultValue = defaultValue ? defaultValue : "";
    attr.value = attr.defaultValue;
    tag.attrs.push_back(std::move(attr));
  }
  return tag;
}

void XMLParser::AddTag(Tag tag) {
  tag.id = static_cast<int>(tags_.size());
  tags_.push_back(std::move(tag));
}

// ---- Parsing ----------------------------------------------------------

void XMLParser::ParseFile(std::string_view fileName) {
  std::optional<std::string> bytes = platform::ReadTextFile(fileName);
  if (!bytes) return;
  std::istringstream in(std::move(*bytes));
  Parse(in);
}

void XMLParser::Parse(std::istream& in) {
  ResetAttributes();
  lineNumber_ = 0;
  state_ = kStart;
  currentTag_ = -1;
  newTextRun_ = true;
  text_.clear();
  putBack_ = -1;
  InputScope scope(input_, in);
  try {
    SkipSpaces();
    current_ = ReadChar();
    RunStates();
  } catch (const EndOfInput&) {
    // Between tags the end of input ends the parse quietly; inside one the
    // file was cut short.
    if (state_ != kStart && state_ != kText && state_ != kResume) OnError(std::string(kEndsInsideTag));
  }
  putBack_ = -1;
}

void XMLParser::ResetAttributes() {
  for (Tag& tag : tags_) {
    for (Attr& attr : tag.attrs) {
      attr.value = attr.defaultValue;
      attr.given = false;
    }
  }
}

// Every pass reads at least one character, so the loop ends with the input.
void XMLParser::RunStates() {
  for (;;) {
    std::string error;
    if (state_ == kStart || state_ == kResume) {
      // Not thrown: after an error this is met once for every stray character.
      if (current_ == '<') {
        state_ = kAfterOpen;
        continue;
      }
      error = "Expected '<'.";
    } else {
      try {
        Step();
        continue;
      } catch (const XMLParseError& e) {
        error = e.what();
      }
    }
    if (!ReportError(error)) return;
  }
}

// One step of the states that read from the input (1, 2, 3, 4 and 6).
void XMLParser::Step() {
  switch (state_) {
    case kAfterOpen: {
      const int c = ReadChar();
      if (c == '!') {
        state_ = kAfterSpecial;
      } else if (c == '/') {
        state_ = kClosingTag;
      } else {
        PutBack(c);
        ReadOpeningTag();
      }
      break;
    }
    case kText:
      ReadText();
      break;
    case kClosingTag:
      ReadClosingTag();
      break;
    case kComment:
      ReadComment();
      break;
    case kAfterSpecial:
      ReadCommentStart();
      break;
    default:
      break;
  }
}

// The state becomes 5 and one more character is read before the reader
// hears of the error, so the reported line counts that character.
bool XMLParser::ReportError(const std::string& message) {
  state_ = kResume;
  current_ = ReadChar();
  return OnError(message);
}

int XMLParser::ReadChar() {
  int c;
  if (putBack_ >= 0) {
    c = putBack_;
    putBack_ = -1;
  } else {
    if (input_ == nullptr) throw EndOfInput{};
    c = input_->get();
    if (c == std::char_traits<char>::eof()) throw EndOfInput{};
  }
  if (c == '\n') ++lineNumber_;
  return c;
}

// A line feed put back is taken off the line count, so that reading it
// again does not count it twice.
void XMLParser::PutBack(int c) {
  putBack_ = c;
  if (c == '\n') --lineNumber_;
}

int XMLParser::PeekChar() {
  const int c = ReadChar();
  PutBack(c);
  return c;
}

void XMLParser::SkipSpaces() {
  int c = ReadChar();
  while (IsSpace(c)) c = ReadChar();
  PutBack(c);
}

// Up to a space (consumed) or a name delimiter (put back); may be empty.
std::string XMLParser::ReadName() {
  std::string name;
  for (;;) {
    const int c = ReadChar();
    if (IsSpace(c)) break;
    if (IsNameDelimiter(c)) {
      PutBack(c);
      break;
    }
    name += static_cast<char>(c);
  }
  return name;
}

// Between two equal quote characters, which are dropped; no escapes.
std::string XMLParser::ReadQuoted() {
  const int quote = ReadChar();
  std::string text;
  for (int c = ReadChar(); c != quote; c = ReadChar()) text += static_cast<char>(c);
  return text;
}

// From the opener up to and including the first closer; no nesting.
std::string XMLParser::ReadUntil(int closer) {
  std::string text(1, static_cast<char>(ReadChar()));
  int c;
  do {
    c = ReadChar();
    text += static_cast<char>(c);
  } while (c != closer);
  return text;
}

std::string XMLParser::ReadValue() {
  switch (PeekChar()) {
    case '"':
    case '\'':
      return ReadQuoted();
    case '(':
      return ReadUntil(')');
    case '[':
      return ReadUntil(']');
    case '{':
      return ReadUntil('}');
    case '<':
      return ReadUntil('>');
    default:
      return ReadName();
  }
}

XMLParser::Tag& XMLParser::FindTag(const std::string& name) {
  auto it = std::find_if(tags_.begin(), tags_.end(), [&](const Tag& t) { return t.name == name; });
  if (it == tags_.end()) throw XMLParseError("Unknown tag: " + name);
  currentTag_ = static_cast<int>(it - tags_.begin());
  return *it;
}

void XMLParser::ReadOpeningTag() {
  SkipSpaces();
  Tag& tag = FindTag(ReadName());
  for (Attr& attr : tag.attrs) {
    attr.value = attr.defaultValue;
    attr.given = false;
  }
  const int id = tag.id;
  for (;;) {
    SkipSpaces();
    const int c = ReadChar();
    if (c == '>') {
      state_ = kText;
      OnTagOpen(id);
      return;
    }
    if (c == '/') {
      if (ReadChar() != '>') throw XMLParseError("Expected '>' after '/'.");
      state_ = kText;
      OnTagOpen(id);
      text_.clear();
      OnTagClose(id);
      return;
    }
    PutBack(c);
    ReadAttribute(tag);
  }
}

void XMLParser::ReadAttribute(Tag& tag) {
  const std::string name = ReadName();
  auto it = std::find_if(tag.attrs.begin(), tag.attrs.end(), [&](const Attr& a) { return a.name == name; });
  if (it == tag.attrs.end()) throw XMLParseError("Unknown attribute: " + name + " of tag: " + tag.name);
  SkipSpaces();
  if (ReadChar() != '=') throw XMLParseError("Expected '='.");
  SkipSpaces();
  it->line = lineNumber_;
  it->value = ReadValue();
  it->given = true;
}

void XMLParser::ReadClosingTag() {
  SkipSpaces();
  const int id = FindTag(ReadName()).id;
  OnTagClose(id);
  SkipSpaces();
  if (ReadChar() != '>') throw XMLParseError("Expected '>'.");
  state_ = kText;
}

void XMLParser::ReadText() {
  if (newTextRun_) text_.clear();
  for (;;) {
    const int c = ReadChar();
    if (c == '<') {
      state_ = kAfterOpen;
      newTextRun_ = true;
      return;
    }
    if (c == '&') {
      text_ += ReadEntity();
    } else {
      text_ += static_cast<char>(c);
    }
  }
}

void XMLParser::ReadCommentStart() {
  if (ReadChar() != '-') throw XMLParseError("Invalid special '!'.");
  if (ReadChar() != '-') throw XMLParseError("Expected '--'.");
  state_ = kComment;
}

// Ends at two or more dashes followed by '>'. The text after the comment
// joins the run before it.
void XMLParser::ReadComment() {
  int dashes = 0;
  for (;;) {
    const int c = ReadChar();
    if (c == '-') {
      dashes = std::min(dashes + 1, 2);
    } else if (c == '>') {
      if (dashes == 2) break;
    } else {
      dashes = 0;
    }
  }
  state_ = kText;
  newTextRun_ = false;
}

char XMLParser::ReadEntity() {
  const std::string name = ReadName();
  if (ReadChar() != ';') throw XMLParseError("Expected ';'");
  for (const Entity& entity : kEntities) {
    if (entity.name == name) return entity.character;
  }
  throw XMLParseError("Unknown character &" + name + ";");
}

// ---- Writing ----------------------------------------------------------

void XMLParser::WriteOpenTag(std::ostream& out, int tagId) const {
  WriteTag(out, GetTag(tagId), false);
}

void XMLParser::WriteCloseTag(std::ostream& out, int tagId) const {
  out << "</" << GetTag(tagId).name << '>';
}

void XMLParser::WriteTag(std::ostream& out, const Tag& tag, bool selfClosing) const {
  out << '<' << tag.name;
  for (const Attr& attr : tag.attrs) {
    if (writeAll_ || attr.value != attr.defaultValue) WriteAttribute(out, attr);
  }
  out << (selfClosing ? "/>" : ">");
}

// The mark-up has no escapes inside quotes: a value is written in double
// quotes, or in apostrophes when it holds a double quote. A value holding
// both cannot be written so that it reads back; its double quotes become
// apostrophes, which keeps the rest of the file readable.
std::string XMLParser::WrittenValue(std::string_view value) {
  std::string written(value);
  if (written.find('\'') != std::string::npos) std::replace(written.begin(), written.end(), '"', '\'');
  return written;
}

void XMLParser::WriteAttribute(std::ostream& out, const Attr& attr) {
  const std::string value = WrittenValue(attr.value);
  const char quote = value.find('"') != std::string::npos ? '\'' : '"';
  out << ' ' << attr.name << '=' << quote << value << quote;
}

// ---- Reader hooks -----------------------------------------------------

void XMLParser::OnTagOpen(int) {}
void XMLParser::OnTagClose(int) {}
bool XMLParser::OnError(const std::string&) {
  return true;
}

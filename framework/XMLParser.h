// The reader and writer of the game's mark-up files (".yml": tags with
// attributes and text, no nesting check). A reader derives from XMLParser,
// declares its tags and attributes with defaults in its constructor, and
// receives OnTagOpen / OnTagClose / OnError while a file is parsed; inside
// those calls it reads attributes by position and the gathered text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/YRect.h"

// Thrown with a message text by the parser and by readers' tag handlers; the
// parser catches it and hands the text to OnError.
class XMLParseError : public std::runtime_error {
 public:
  explicit XMLParseError(const std::string& message) : std::runtime_error(message) {}
};

class XMLParser {
 public:
  // The error a file that ends inside a tag or a comment gives: it was cut
  // short, and what it held after the cut is lost.
  static constexpr std::string_view kEndsInsideTag = "The file ends inside a tag.";

  struct Attr {
    std::string name;
    std::string value;
    std::string defaultValue;
    bool given = false;  // the last parsed opening tag set this attribute
    int line = 0;        // when given, the line its value begins on

    int AsInt() const;             // atoi; values beyond the int range are held at its ends
    std::uint32_t AsHex() const;   // strtoul, base 16, as a 32-bit value
    float AsFloat() const;         // atof
    bool AsBool() const;           // atoi(value) > 0
    YRect AsRect() const;          // "[x,y,w,h]"; numbers that are missing are 0

    void SetBool(bool v);          // "1" / "0"
    void SetInt(std::int32_t v);   // decimal
    void SetFloat(float v);        // six significant digits, general notation
    void SetHex(std::uint32_t v);  // lower-case hexadecimal, no prefix
  };

  struct Tag {
    std::vector<Attr> attrs;  // in declaration order; readers index them by position
    std::string name;
    int id = -1;              // index in the tag table, set by AddTag
  };

  XMLParser();
  virtual ~XMLParser();

  // A tag record with attributes given as (name, default) pairs.
  static Tag MakeTag(std::string_view name,
                     std::initializer_list<std::pair<const char*, const char*>> attrs = {});
  // Appends the tag to the table; its id is its index (0, 1, 2, ...).
  void AddTag(Tag tag);

  // Opens a data file (name mapped, carriage returns before line feeds
  // dropped) and parses it; a file that cannot be opened is silently skipped.
  void ParseFile(std::string_view fileName);
  // Parses a stream from state 0, every attribute back at its default and the
  // line number at 0. The end of input ends the parse; met inside a tag or
  // a comment it is first reported as kEndsInsideTag.
  void Parse(std::istream& in);

  // Writer: "<name attr="value" ...>" with only attributes that differ from
  // their defaults unless write-all is set. A value holding a double quote is
  // written in apostrophes so that it reads back; one holding both kinds of
  // quote has its double quotes written as apostrophes. No line breaks.
  void WriteOpenTag(std::ostream& out, int tagId) const;
  void WriteCloseTag(std::ostream& out, int tagId) const;
  void WriteTag(std::ostream& out, const Tag& tag, bool selfClosing) const;
  // The value a reader reads back of `value` once written: the value itself,
  // or, when it holds both kinds of quote, with its double quotes as
  // apostrophes.
  static std::string WrittenValue(std::string_view value);

  void SetWriteAll(bool writeAll) { writeAll_ = writeAll; }
  bool WriteAll() const { return writeAll_; }

  int LineNumber() const { return lineNumber_; }
  Tag& GetTag(int tagId) { return tags_.at(static_cast<std::size_t>(tagId)); }
  const Tag& GetTag(int tagId) const { return tags_.at(static_cast<std::size_t>(tagId)); }
  Attr& GetAttr(int tagId, int attrIndex) { return GetTag(tagId).attrs.at(static_cast<std::size_t>(attrIndex)); }
  const Attr& GetAttr(int tagId, int attrIndex) const {
    return GetTag(tagId).attrs.at(static_cast<std::size_t>(attrIndex));
  }
  // The text gathered since the last tag boundary (entities decoded).
  const std::string& Text() const { return text_; }
  std::size_t TagCount() const { return tags_.size(); }

 protected:
  // The next input byte (0..255); a line feed adds one to the line number.
  // At the end of input it ends the parse.
  virtual int ReadChar();
  virtual void OnTagOpen(int tagId);
  virtual void OnTagClose(int tagId);
  // True goes on parsing, false stops. The base goes on silently.
  virtual bool OnError(const std::string& message);

 private:
  // Parsing internals live in XMLParser.cpp.
  struct EndOfInput {};  // thrown by ReadChar at the end of input; ends the parse quietly

  void ResetAttributes();
  void RunStates();
  void Step();
  bool ReportError(const std::string& message);
  void PutBack(int c);
  int PeekChar();
  void SkipSpaces();
  std::string ReadName();
  std::string ReadQuoted();
  std::string ReadUntil(int closer);
  std::string ReadValue();
  Tag& FindTag(const std::string& name);
  void ReadOpeningTag();
  void ReadAttribute(Tag& tag);
  void ReadClosingTag();
  void ReadText();
  void ReadCommentStart();
  void ReadComment();
  char ReadEntity();
  static void WriteAttribute(std::ostream& out, const Attr& attr);

  std::vector<Tag> tags_;
  int lineNumber_ = 0;
  int state_ = 0;
  std::istream* input_ = nullptr;
  int currentTag_ = -1;  // index of the tag last named by an opening or closing tag
  bool newTextRun_ = true;
  bool writeAll_ = false;
  std::string text_;
  int current_ = 0;   // the character states 0 and 5 look at
  int putBack_ = -1;  // a character returned to the input, or -1
};

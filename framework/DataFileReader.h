// The base of the game's mark-up readers (configuration, fonts, shaders,
// sounds, layouts, catalogues, profiles, levels, saves): parses one data file
// at a time, keeps its name for the error lines, logs each parser error with
// the reader's own text, or stays silent for the readers that have none, and
// reports a data file that cannot be read, or has errors, to FileAlerts.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "framework/XMLParser.h"

class DataFileReader : public XMLParser {
 public:
  // A reader's error line: a format whose first "%s" is the message, then,
  // when `namesFile`, a "%s" for the file name, then a "%d" for the line.
  // A null format makes the reader silent.
  struct ErrorText {
    const char* format = nullptr;
    bool namesFile = false;
    // The files read are the player's own (profiles), not the game's: their
    // troubles are only logged.
    bool playersOwn = false;
  };
  // Past this many error lines in one file, the rest are counted and
  // reported in one closing line.
  static constexpr int kMaxErrorLines = 100;
  // A file with this many errors is not a data file: the rest of it is
  // skipped (every error costs the parser a resumption, so garbage would
  // otherwise take seconds per megabyte).
  static constexpr int kMaxErrors = 10000;

  // A silent reader.
  DataFileReader();
  explicit DataFileReader(ErrorText errorText);

  // The file being (or last) parsed, as the caller named it.
  const std::string& FileName() const { return fileName_; }
  // Parser errors of the last file, logged or not.
  int ErrorCount() const { return errors_; }

 protected:
  // Parses a data file (name mapped, carriage returns dropped). A file that
  // cannot be read is logged, unless `missingIsQuiet`, and false is
  // returned; nothing is parsed then. Unless the reader reads the player's
  // own files, a file that cannot be read (missingIsQuiet aside) or that
  // had parser errors is reported as a needed file that failed.
  bool ParseDataFile(std::string_view fileName, bool missingIsQuiet = false);
  // Parses bytes the reader opened itself (a save, a network text), named
  // `name` in the error lines.
  void ParseNamedStream(std::istream& in, std::string_view name);
  // Logs the error with the reader's text (at most kMaxErrorLines per file)
  // and goes on parsing, up to kMaxErrors. A file cut inside a tag is
  // logged as damaged, naming it, also by a silent reader.
  bool OnError(const std::string& message) override;
  // Logs a line with the reader's text, without counting it as an error of
  // the file: for trouble with a file the data file names.
  void LogError(const std::string& message) const;
  // Logs what the reader made of a value the file gives (a name it cut),
  // naming the file and the line the value stands on.
  void LogValueNotice(const std::string& message, const Attr& attr) const;

 private:
  void ReportSkippedErrors() const;

  ErrorText errorText_;
  std::string fileName_;
  int errors_ = 0;
};

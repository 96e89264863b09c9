#include "framework/DataFileReader.h"

#include <optional>
#include <sstream>

#include "framework/FileAlerts.h"
#include "framework/Log.h"
#include "framework/TextFormat.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

DataFileReader::DataFileReader() = default;
DataFileReader::DataFileReader(ErrorText errorText) : errorText_(errorText) {}

bool DataFileReader::ParseDataFile(std::string_view fileName, bool missingIsQuiet) {
  std::optional<std::string> bytes = platform::ReadTextFile(fileName);
  if (!bytes) {
    fileName_ = std::string(fileName);
    errors_ = 0;
    if (missingIsQuiet) return false;
    Log::Printf("Cannot read data file %s", fileName_.c_str());
    if (!errorText_.playersOwn) FileAlerts::NeededFileFailed(fileName_);
    return false;
  }
  std::istringstream in(std::move(*bytes));
  ParseNamedStream(in, fileName);
  if (errors_ > 0 && !errorText_.playersOwn) FileAlerts::NeededFileFailed(fileName_);
  return true;
}

void DataFileReader::ParseNamedStream(std::istream& in, std::string_view name) {
  fileName_ = std::string(name);
  errors_ = 0;
  Parse(in);
  ReportSkippedErrors();
}

bool DataFileReader::OnError(const std::string& message) {
  ++errors_;
  // Whatever the reader's own text, and also for a silent reader, the log
  // names a file cut short.
  if (message == kEndsInsideTag) {
    if (errors_ <= kMaxErrorLines)
      Log::Printf("The file %s is damaged: it ends inside a tag, line: %d", platform::MapPath(fileName_).c_str(),
                  LineNumber());
    return false;
  }
  if (errors_ >= kMaxErrors) return false;
  if (errors_ <= kMaxErrorLines) LogError(message);
  return true;
}

void DataFileReader::LogError(const std::string& message) const {
  if (errorText_.format == nullptr) return;
  const std::string line = errorText_.namesFile
                               ? FormatTextArgs(errorText_.format, message, fileName_, LineNumber())
                               : FormatTextArgs(errorText_.format, message, LineNumber());
  Log::Write(line);
}

void DataFileReader::LogValueNotice(const std::string& message, const Attr& attr) const {
  Log::Printf("%s, file: %s, line: %d", message.c_str(), platform::MapPath(fileName_).c_str(), attr.line);
}

void DataFileReader::ReportSkippedErrors() const {
  if (errorText_.format == nullptr || errors_ <= kMaxErrorLines) return;
  Log::Printf("%d more parser errors in %s not shown%s", errors_ - kMaxErrorLines, fileName_.c_str(),
              errors_ >= kMaxErrors ? "; the rest of the file was skipped" : "");
}

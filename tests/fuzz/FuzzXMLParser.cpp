// Arbitrary bytes as a mark-up file for a reader with a few tags. Every
// attribute is read through every accessor, and every tag that opens is
// written back out and read again: a value must come back unchanged unless
// it holds both kinds of quote, which the mark-up cannot carry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "framework/XMLParser.h"

namespace {

class Reader : public XMLParser {
 public:
  Reader() {
    AddTag(MakeTag("a", {{"x", "0"}, {"y", ""}, {"r", "[0,0,1,1]"}}));
    AddTag(MakeTag("b"));
    AddTag(MakeTag("font", {{"name", "sys"}, {"size", "12"}, {"color", "ffffff"}, {"bold", "0"}}));
  }

  std::vector<XMLParser::Tag> opened;  // the tags as they stood when opened
  std::size_t errors = 0;

 protected:
  void OnTagOpen(int id) override {
    for (const Attr& attr : GetTag(id).attrs) Touch(attr);
    if (opened.size() < 64) opened.push_back(GetTag(id));
  }
  void OnTagClose(int) override { sink_ += Text().size(); }
  bool OnError(const std::string& message) override {
    sink_ += message.size() + static_cast<std::size_t>(LineNumber());
    ++errors;
    return true;
  }

 private:
  void Touch(const Attr& attr) {
    const YRect r = attr.AsRect();
    sink_ += static_cast<std::size_t>(attr.AsInt()) + attr.AsHex() + attr.AsBool() +
             static_cast<std::size_t>(attr.AsFloat() != 0) + static_cast<std::size_t>(r.x + r.y == 0);
  }
  std::size_t sink_ = 0;
};

bool HoldsBothQuotes(const std::string& v) {
  return v.find('"') != std::string::npos && v.find('\'') != std::string::npos;
}

// Writes `tag` with every attribute and checks that it reads back.
void CheckRoundTrip(const XMLParser::Tag& tag) {
  Reader writer;
  writer.SetWriteAll(true);
  std::ostringstream out;
  writer.WriteTag(out, tag, true);
  Reader again;
  std::istringstream in(out.str());
  again.Parse(in);
  if (again.errors != 0 || again.opened.size() != 1) std::abort();
  for (std::size_t i = 0; i < tag.attrs.size(); ++i) {
    const std::string& value = tag.attrs[i].value;
    if (!HoldsBothQuotes(value) && again.opened[0].attrs[i].value != value) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader reader;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  reader.Parse(in);
  for (const XMLParser::Tag& tag : reader.opened) CheckRoundTrip(tag);
  return 0;
}

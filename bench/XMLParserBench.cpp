// Parsing a layout-sized mark-up file of a few hundred tags with attributes
// of every value form, text, entities and comments; and writing it back.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "framework/XMLParser.h"

namespace {

class LayoutReader : public XMLParser {
 public:
  LayoutReader() {
    AddTag(MakeTag("screen", {{"name", ""}}));
    AddTag(MakeTag(
        "button",
        {{"name", ""}, {"rect", "[0,0,0,0]"}, {"font", "sys"}, {"color", "ffffffff"}, {"visible", "1"}}));
    AddTag(MakeTag("text", {{"style", ""}}));
  }
  std::size_t opened = 0;

 protected:
  void OnTagOpen(int id) override {
    if (id == 1) sink_ += GetAttr(1, 1).AsRect().width + static_cast<float>(GetAttr(1, 3).AsHex() & 1);
    ++opened;
  }
  void OnTagClose(int) override { sink_ += static_cast<float>(Text().size()); }

 private:
  float sink_ = 0;
};

std::string SyntheticLayout(int buttons) {
  std::string s = "<!-- a generated screen -->\n<screen name=\"main\">\n";
  for (int i = 0; i < buttons; ++i) {
    const std::string n = std::to_string(i);
    s += "  <button name=\"b" + n + "\" rect=[" + n + ",10,120,30] font='big' color=ff8000c0 visible=1/>\n";
    s += "  <text style={plain}>Item " + n + " &lt;new&rt; <!-- note --> here</text>\n";
  }
  return s + "</screen>\n";
}

void BM_ParseLayout(benchmark::State& state) {
  const std::string layout = SyntheticLayout(static_cast<int>(state.range(0)));
  LayoutReader reader;
  for (auto _ : state) {
    std::istringstream in(layout);
    reader.Parse(in);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * layout.size()));
  state.counters["tags"] = static_cast<double>(2 * state.range(0) + 1);
}
BENCHMARK(BM_ParseLayout)->Arg(150)->Arg(600);

void BM_WriteTags(benchmark::State& state) {
  LayoutReader writer;
  writer.GetAttr(1, 0).value = "button";
  writer.GetAttr(1, 1).value = "[1,2,3,4]";
  writer.GetAttr(1, 2).value = "say \"hi\"";
  for (auto _ : state) {
    std::ostringstream out;
    for (int i = 0; i < 300; ++i) writer.WriteTag(out, writer.GetTag(1), true);
    benchmark::DoNotOptimize(out.str().size());
  }
}
BENCHMARK(BM_WriteTags);

}  // namespace

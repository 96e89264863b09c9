#include "ui/UIParser.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "framework/Init.h"
#include "render/YContainer.h"
#include "render/YFont.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "ui/UIButton.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UICustomDraw.h"
#include "ui/UIText.h"

namespace {

// Every style read so far, for the whole run; never emptied.
std::vector<std::unique_ptr<UIParser::Style>>& Styles() {
  static std::vector<std::unique_ptr<UIParser::Style>> styles;
  return styles;
}

// Trees deeper than this are refused: every operation on a tree recurses
// once per level, and a file must not be able to exhaust the stack.
constexpr std::size_t kMaxDepth = 100;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

UIParser::UIParser() : DataFileReader({"Layout parser error, %s, file: %s, line: %d ", true}) {
  const std::pair<const char*, const char*> style{"style", ""}, name{"name", ""}, shader{"shader", ""},
      texture{"texture", ""}, enabled{"enabled", "1"};
  AddTag(MakeTag("style", {name}));
  AddTag(MakeTag("container", {style, name, {"bounds", "[0,0,200,200]"}}));
  AddTag(MakeTag("window", {style, name, {"bounds", "[0,0,200,200]"}, shader, texture, {"aspect", "0"},
                            {"tl1", "0"}, {"tl2", "0"}, {"band", "0"}}));
  AddTag(MakeTag("image", {style, name, {"bounds", "[0,0,20,20]"}, shader, texture, {"coord", "[0,0,1,1]"},
                           {"color", "00000000"}}));
  AddTag(MakeTag("draw", {style, name, {"bounds", "[0,0,200,200]"}}));
  AddTag(MakeTag("edit", {style, name, {"bounds", "[0,0,120,22]"}, shader, {"maxlength", "0"},
                          {"lrFactor", "1"}, {"margin", "0"}, {"maxWidth", "-1"}}));
  AddTag(MakeTag("button", {style, name, {"bounds", "[0,0,120,30]"}, shader, texture, {"lrFactor", "1"},
                            {"hotfontsize", ""}, {"hotfontcolor", ""}, {"disablefontcolor", ""}, enabled}));
  AddTag(MakeTag("speedbutton", {style, name, {"bounds", "[0,0,30,30]"}, shader, texture, enabled}));
  AddTag(MakeTag("scrollbar", {style, name, {"bounds", "[0,0,30,30]"}, shader, {"texture1", ""},
                               {"texture2", ""}, {"texture3", ""}}));
  AddTag(MakeTag("text", {style, name, {"bounds", "[0,0,200,0]"}, {"align", "left"}}));
  AddTag(MakeTag("font", {style, name, {"size", ""}, {"color", ""}}));
  AddTag(MakeTag("a", {style, name, {"hotcolor", "ff0000"}}));
  AddTag(MakeTag("div", {style, {"align", "left"}}));
  AddTag(MakeTag("br"));
  AddTag(MakeTag("combobox", {style, name, {"bounds", "[0,0,120,22]"}, shader, texture, {"lshader", ""},
                              {"hotcolor", "ff0000"}, {"margin", "0"}, {"topmargin", "0"}, {"corner", "0"},
                              {"listoffset", "0"}, {"lrFactor", "1"}, {"disableColor", "777777"}}));
  AddTag(MakeTag("item"));
  AddTag(MakeTag("tracker", {style, name, {"bounds", "[0,0,120,30]"}, shader, {"shader2", ""},
                             {"hotcolor", "ffaa77"}, {"tw", "1"}}));
  AddTag(MakeTag("hotimage", {style, name, {"bounds", "[0,0,30,30]"}, shader, texture, enabled}));
}

UIParser::~UIParser() = default;

std::unique_ptr<UIControl> UIParser::LoadLayout(std::string_view fileName) {
  UIParser parser;
  return parser.Load(fileName);
}

std::unique_ptr<UIControl> UIParser::Load(std::string_view fileName) {
  Begin();
  ParseDataFile(fileName);
  return Finish();
}

std::unique_ptr<UIControl> UIParser::LoadText(std::string_view text, std::string_view name) {
  Begin();
  std::istringstream in{std::string(text)};
  ParseNamedStream(in, name);
  return Finish();
}

void UIParser::Begin() {
  fonts_.assign(1, UITextStyle{YFont::Find("mainfont"), 20.0f, YColor(1, 1, 1, 1)});
  aligns_.assign(1, UIText::kLeft);
  textAlignDepth_ = 1;
  parents_.clear();
  built_.clear();
  root_ = nullptr;
  openStyle_ = nullptr;
  openButton_ = nullptr;
  openText_ = nullptr;
  openCombobox_ = nullptr;
  insideItem_ = false;
  insideLink_ = false;
}

std::unique_ptr<UIControl> UIParser::Finish() {
  std::unique_ptr<UIControl> root;
  for (std::unique_ptr<UIControl>& control : built_)
    if (control.get() == root_) root = std::move(control);
  openButton_ = nullptr;
  openText_ = nullptr;
  openCombobox_ = nullptr;
  parents_.clear();
  built_.clear();  // what the file built outside its root
  root_ = nullptr;
  return root;
}

UIParser::Style* UIParser::FindStyle(std::string_view name) {
  for (const std::unique_ptr<Style>& style : Styles())
    if (style->name == name) return style.get();
  return nullptr;
}

void UIParser::ForgetStyles() {
  Styles().clear();
}

int UIParser::ParseAlign(std::string_view word) {
  static constexpr std::string_view kWords[] = {"left", "right", "center", "top", "bottom"};
  for (int i = 0; i < 5; ++i)
    if (word == kWords[i]) return i;
  throw XMLParseError("Unknown align: " + std::string(word));
}

std::string UIParser::NormalizeText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (!IsBlank(c)) {
      out.push_back(c);
    } else if (!out.empty() && out.back() != ' ') {
      out.push_back(' ');
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// ---- Opening tags ------------------------------------------------------------------

void UIParser::OnTagOpen(int tagId) {
  tag_ = tagId;
  if (tagId == kStyleTag) {
    if (openStyle_) throw XMLParseError("<style> in <style>");
    const std::string& name = A(0).value;
    openStyle_ = FindStyle(name);
    if (!openStyle_) openStyle_ = Styles().emplace_back(std::make_unique<Style>(Style{name, {}})).get();
    return;
  }
  if (openStyle_) {
    RecordInStyle();
    return;
  }
  ApplyStyle();
  Build();
}

void UIParser::RecordInStyle() {
  auto& entries = openStyle_->entries;
  auto it = std::find_if(entries.begin(), entries.end(), [&](const StyleEntry& e) { return e.tagId == tag_; });
  if (it == entries.end()) it = entries.insert(entries.end(), StyleEntry{tag_, {}});
  it->values.clear();
  for (const Attr& attr : GetTag(tag_).attrs) it->values.push_back(attr.value);
}

// A style name that no style has is ignored without a message.
void UIParser::ApplyStyle() {
  auto& attrs = GetTag(tag_).attrs;
  if (attrs.empty() || attrs[0].value.empty()) return;
  const Style* style = FindStyle(attrs[0].value);
  if (!style) return;
  for (const StyleEntry& entry : style->entries) {
    if (entry.tagId != tag_) continue;
    for (std::size_t i = 0; i < attrs.size() && i < entry.values.size(); ++i)
      if (!attrs[i].given) attrs[i].value = entry.values[i];
  }
}

void UIParser::Build() {
  switch (tag_) {
    case kContainerTag:
      Attach(std::make_unique<UIControl>(Bounds(), Name(), nullptr), true);
      break;
    case kWindowTag:
      Attach(BuildWindow(), true);
      break;
    case kImageTag:
      Attach(BuildImage(), true);
      break;
    case kDrawTag:
      if (!parents_.empty()) Attach(std::make_unique<UICustomDraw>(Bounds(), Name()), false);
      break;
    case kEditTag:
      Attach(BuildEdit(), false);
      break;
    case kButtonTag:
      openButton_ = static_cast<UIButton*>(Attach(BuildButton(), false));
      break;
    case kSpeedButtonTag:
      Attach(BuildSpeedButton(), false);
      break;
    case kScrollBarTag:
      Attach(BuildScrollBar(), false);
      break;
    case kTextTag:
      OpenText();
      break;
    case kFontTag:
      OpenFont();
      break;
    case kLinkTag:
      OpenLink();
      break;
    case kDivTag:
      OpenDiv();
      break;
    case kBrTag:
      LineBreak("<br> outside <text>");
      break;
    case kComboboxTag:
      openCombobox_ = static_cast<UICombobox*>(Attach(BuildCombobox(), false));
      break;
    case kItemTag:
      if (!openCombobox_) throw XMLParseError("<item> outside <combobox>");
      insideItem_ = true;
      itemText_.clear();
      break;
    case kTrackerTag:
      Attach(BuildTracker(), false);
      break;
    case kHotImageTag:
      Attach(BuildHotImage(), false);
      break;
    default:
      break;
  }
}

UIControl* UIParser::Attach(std::unique_ptr<UIControl> control, bool container) {
  if (container && parents_.size() >= kMaxDepth) throw XMLParseError("Layout nested too deeply");
  UIControl* raw = control.get();
  if (!parents_.empty())
    parents_.back()->AddChild(std::move(control));
  else
    built_.push_back(std::move(control));
  if (container) parents_.push_back(raw);
  if (parents_.size() == 1 && !root_) root_ = parents_.front();
  return raw;
}

// The align word is read first: a bad one builds nothing, so no text is
// left open without its entry on the align stack.
void UIParser::OpenText() {
  const int align = ParseAlign(A(3).value);
  openText_ = static_cast<UIText*>(Attach(std::make_unique<UIText>(Bounds(), Name()), false));
  aligns_.push_back(align);
  textAlignDepth_ = aligns_.size();
}

// Every check that may raise comes before the text is flushed: after an
// error the parser still holds the same text, and the next boundary would
// flush it a second time.
void UIParser::OpenFont() {
  UITextStyle style = TopFont();
  if (!A(1).value.empty()) style.font = YFont::Find(A(1).value);
  if (!A(2).value.empty()) style.size = A(2).AsFloat();
  if (!A(3).value.empty()) style.colour = Colour(3);
  FlushText();
  fonts_.push_back(style);
}

void UIParser::OpenLink() {
  if (!openText_) throw XMLParseError("<a> outside <text>");
  const YColor hot = Colour(2);
  FlushText();
  linkHotColour_ = hot;
  linkName_ = A(1).value;
  insideLink_ = true;
}

void UIParser::OpenDiv() {
  if (!openText_) throw XMLParseError("<div> outside <text>");
  const int align = ParseAlign(A(1).value);
  LineBreak("<div> outside <text>");
  aligns_.push_back(align);
}

void UIParser::LineBreak(const char* outsideMessage) {
  if (!openText_) throw XMLParseError(outsideMessage);
  FlushText();
  openText_->EndLine(TopFont());
}

// ---- Closing tags -------------------------------------------------------------------

void UIParser::OnTagClose(int tagId) {
  tag_ = tagId;
  if (tagId == kStyleTag) {
    if (!openStyle_) throw XMLParseError("tag </style>");
    openStyle_ = nullptr;
    return;
  }
  Close(tagId);
}

// Inside a style a closing tag is only checked: the tags there built
// nothing, so nothing may be popped or flushed for them.
void UIParser::Close(int tagId) {
  const bool act = openStyle_ == nullptr;
  switch (tagId) {
    case kContainerTag:
    case kWindowTag:
    case kImageTag:
      if (parents_.empty()) throw XMLParseError("close tag");
      if (act) parents_.pop_back();
      break;
    case kButtonTag:
      if (!openButton_) throw XMLParseError("tag </button>");
      if (!act) break;
      FlushText();
      openButton_ = nullptr;
      break;
    case kTextTag:
      if (!openText_) throw XMLParseError("tag </text>");
      if (act) CloseText();
      break;
    case kFontTag:
      if (fonts_.size() < 2) throw XMLParseError("tag </font>");
      if (!act) break;
      FlushText();
      fonts_.pop_back();
      break;
    case kLinkTag:
      if (!openText_) throw XMLParseError("tag </a>");
      if (!act) break;
      FlushText();
      insideLink_ = false;
      break;
    case kDivTag:
      if (!openText_) throw XMLParseError("tag </div>");
      if (act) CloseDiv();
      break;
    case kComboboxTag:
      if (!openCombobox_) throw XMLParseError("tag </combobox>");
      if (act) openCombobox_ = nullptr;
      break;
    case kItemTag:
      if (!openCombobox_) throw XMLParseError("tag </item>");
      if (act) CloseItem();
      break;
    default:
      break;
  }
}

// The align stack goes back to what it held before the text opened: its
// base entry always stays, and a div left open inside the text ends here.
void UIParser::CloseText() {
  FlushText();
  openText_ = nullptr;
  insideLink_ = false;
  aligns_.resize(std::max<std::size_t>(textAlignDepth_ - 1, 1));
  textAlignDepth_ = aligns_.size();
}

// Only a div's own entry is popped, never the text's or the base.
void UIParser::CloseDiv() {
  if (aligns_.size() <= textAlignDepth_) throw XMLParseError("tag </div>");
  FlushText();
  aligns_.pop_back();
}

void UIParser::CloseItem() {
  FlushText();
  openCombobox_->AddItem(itemText_);
  insideItem_ = false;
  itemText_.clear();
}

void UIParser::FlushText() {
  const std::string text = NormalizeText(Text());
  if (openButton_) {
    if (!openButton_->caption.empty()) return;
    openButton_->caption = text;
  }
  if (openCombobox_ && insideItem_ && !text.empty()) {
    if (!itemText_.empty()) itemText_.push_back(' ');
    itemText_ += text;
  }
  if (!openText_ || text.empty()) return;
  if (insideLink_)
    openText_->AppendLink(TopFont(), linkHotColour_, aligns_.back(), text, linkName_);
  else
    openText_->AppendText(TopFont(), aligns_.back(), text);
}

// ---- Attribute values -----------------------------------------------------------------

YShader* UIParser::Shader(int index) const {
  return GetShader(A(index).value);
}

YTextureBase* UIParser::Texture(int index) const {
  const std::string& name = A(index).value;
  return name.empty() ? nullptr : YContainer<YTextureBase>::Get(name);
}

YColor UIParser::Colour(int index) const {
  return Init::ParseColor(A(index).value);
}

// The reader of layout files: mark-up whose tags build a tree of controls
// (containers, windows, images, buttons, texts with fonts, links and
// alignment, edit boxes, combo boxes, trackers, scroll bars, custom-drawn
// areas) and named styles that supply the attribute values a tag leaves
// out. Styles live for the whole process, so the interface's styles file,
// read once, serves every layout read after it. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/DataFileReader.h"
#include "framework/YColor.h"
#include "framework/YRect.h"
#include "render/UITextStyle.h"

class UIButton;
class UICombobox;
class UIControl;
class UIText;
class YShader;
class YTextureBase;

class UIParser : public DataFileReader {
 public:
  // Tag ids, in declaration order.
  enum TagId {
    kStyleTag, kContainerTag, kWindowTag, kImageTag, kDrawTag, kEditTag, kButtonTag, kSpeedButtonTag,
    kScrollBarTag, kTextTag, kFontTag, kLinkTag, kDivTag, kBrTag, kComboboxTag, kItemTag, kTrackerTag,
    kHotImageTag, kTagCount
  };

  // A named set of attribute values per tag kind, in the tag's declaration
  // order.
  struct StyleEntry {
    int tagId = 0;
    std::vector<std::string> values;
  };
  struct Style {
    std::string name;
    std::vector<StyleEntry> entries;
  };

  UIParser();
  ~UIParser() override;

  // Reads a layout file; the caller owns the root: the file's first
  // top-level container, window or image with everything built inside it.
  // Null when the file built none. Controls built outside it are freed.
  // Errors are logged "Layout parser error, %s, file: %s, line: %d " and
  // reading goes on.
  static std::unique_ptr<UIControl> LoadLayout(std::string_view fileName);
  std::unique_ptr<UIControl> Load(std::string_view fileName);
  // The same for layout text already in memory, named `name` in the errors.
  std::unique_ptr<UIControl> LoadText(std::string_view text, std::string_view name);

  // The style of that name (exact bytes), or null.
  static Style* FindStyle(std::string_view name);
  // Drops every style (tests and fuzzing, so each input starts alike).
  static void ForgetStyles();
  // "left" 0, "right" 1, "center" 2, "top" 3, "bottom" 4; anything else
  // raises "Unknown align: " and the word.
  static int ParseAlign(std::string_view word);
  // Tabs and line ends become blanks, runs of blanks one blank, and blanks
  // at both ends go.
  static std::string NormalizeText(std::string_view text);

 protected:
  void OnTagOpen(int tagId) override;
  void OnTagClose(int tagId) override;

 private:
  // Resets the stacks for a new file / hands out the root and frees the rest.
  void Begin();
  std::unique_ptr<UIControl> Finish();
  const Attr& A(int index) const { return GetAttr(tag_, index); }
  // A tag inside a style tag: its values become the style's entry.
  void RecordInStyle();
  // Values the tag leaves out come from its style's entry, when it has one.
  void ApplyStyle();
  void Build();
  // Hands the control to the top of the parent stack (or keeps it to free
  // it at the end); a container is pushed; the first control on an empty
  // stack becomes the root.
  UIControl* Attach(std::unique_ptr<UIControl> control, bool container);
  std::unique_ptr<UIControl> BuildWindow() const;
  std::unique_ptr<UIControl> BuildImage() const;
  std::unique_ptr<UIControl> BuildEdit() const;
  std::unique_ptr<UIControl> BuildButton();
  std::unique_ptr<UIControl> BuildSpeedButton() const;
  std::unique_ptr<UIControl> BuildScrollBar() const;
  std::unique_ptr<UIControl> BuildCombobox();
  std::unique_ptr<UIControl> BuildTracker() const;
  std::unique_ptr<UIControl> BuildHotImage() const;
  void OpenText();
  void OpenFont();
  void OpenLink();
  void OpenDiv();
  void LineBreak(const char* outsideMessage);
  // Checks a closing tag; performs it unless a style is open.
  void Close(int tagId);
  void CloseText();
  void CloseDiv();
  void CloseItem();
  // The text gathered since the last tag boundary goes to the open button
  // (its caption, when it has none yet), the open item, and the open text.
  void FlushText();

  YRect Bounds() const { return A(2).AsRect(); }
  const std::string& Name() const { return A(1).value; }
  YShader* Shader(int index) const;
  YTextureBase* Texture(int index) const;
  YColor Colour(int index) const;
  const UITextStyle& TopFont() const { return fonts_.back(); }

  int tag_ = -1;  // the tag being opened or closed
  Style* openStyle_ = nullptr;
  UIButton* openButton_ = nullptr;
  UIText* openText_ = nullptr;
  UICombobox* openCombobox_ = nullptr;
  bool insideItem_ = false;
  std::string itemText_;
  UIControl* root_ = nullptr;
  bool insideLink_ = false;
  YColor linkHotColour_;
  std::string linkName_;
  std::vector<UIControl*> parents_;
  std::vector<UITextStyle> fonts_;
  std::vector<int> aligns_;
  std::size_t textAlignDepth_ = 1;  // the align stack's size with the open text's entry
  std::vector<std::unique_ptr<UIControl>> built_;  // controls on no parent, the root among them
};

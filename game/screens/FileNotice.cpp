#include "game/screens/FileNotice.h"

#include <algorithm>
#include <cstddef>

#include "framework/FileAlerts.h"
#include "framework/Log.h"
#include "framework/TextFormat.h"
#include "framework/YLocale.h"
#include "game/screens/GameScreens.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/ScreenTexts.h"
#include "ui/UIControl.h"
#include "ui/UIRoot.h"

namespace ss = screen_state;

FileNotice::FileNotice(UIRoot& ui, GameScreens& screens) : ui_(ui), screens_(screens) {}

void FileNotice::ShowWaiting(std::uint32_t state) {
  UIControl* notice = screens_.noticeScreen.get();
  const std::uint32_t scene = state & 7;
  if (notice == nullptr || IsOpen() || scene < ss::kPanel || scene > ss::kMenu) return;
  if ((state & (ss::kFinalScene | ss::kHelpBook)) != 0) return;
  FileAlerts::Unsaved what{};
  if (!FileAlerts::TakeFailedSave(what)) return;
  // A text that names the log names this copy's own.
  const std::string text = GetLocale().GetText(kTextKeys[static_cast<std::size_t>(what)]);
  screen_texts::ShowTextBox(ui_, notice, FormatTextArgs(text, Log::FileName()));
}

bool FileNotice::TakeClick(const UIControl* sender) {
  const UIControl* notice = screens_.noticeScreen.get();
  if (sender == nullptr || notice == nullptr || ui_.GetActive() != notice) return false;
  if (sender->name == "ok") ui_.CloseModal();
  return true;
}

bool FileNotice::IsOpen() const {
  const UIControl* notice = screens_.noticeScreen.get();
  const auto& open = ui_.ModalStack();
  return ui_.WaitingModal() == notice || std::find(open.begin(), open.end(), notice) != open.end();
}

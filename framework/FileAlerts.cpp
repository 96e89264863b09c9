#include "framework/FileAlerts.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <set>
#include <utility>

#include "framework/Log.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"

namespace {

struct Alerts {
  std::mutex lock;
  std::set<std::string, std::less<>> filesSeen;  // every file ever reported
  std::vector<std::string> filesWaiting;
  std::deque<FileAlerts::Unsaved> savesWaiting;
  std::set<FileAlerts::Unsaved> savesTold;  // taken, and not written since
};

Alerts& State() {
  static Alerts alerts;
  return alerts;
}

}  // namespace

void FileAlerts::NeededFileFailed(std::string_view fileName) {
  Alerts& alerts = State();
  const std::lock_guard<std::mutex> hold(alerts.lock);
  if (!alerts.filesSeen.emplace(fileName).second) return;
  alerts.filesWaiting.emplace_back(fileName);
}

void FileAlerts::SaveFailed(Unsaved what) {
  Alerts& alerts = State();
  const std::lock_guard<std::mutex> hold(alerts.lock);
  if (what != FileAlerts::Unsaved::kProfile && alerts.savesTold.contains(what)) return;
  if (std::find(alerts.savesWaiting.begin(), alerts.savesWaiting.end(), what) != alerts.savesWaiting.end()) return;
  alerts.savesWaiting.push_back(what);
}

void FileAlerts::SaveSucceeded(Unsaved what) {
  Alerts& alerts = State();
  const std::lock_guard<std::mutex> hold(alerts.lock);
  alerts.savesTold.erase(what);
}

std::vector<std::string> FileAlerts::TakeFailedFiles() {
  Alerts& alerts = State();
  const std::lock_guard<std::mutex> hold(alerts.lock);
  return std::exchange(alerts.filesWaiting, {});
}

void FileAlerts::ShowFailedFiles() {
  const std::vector<std::string> files = TakeFailedFiles();
  if (files.empty()) return;
  std::string text = files.size() == 1 ? "This file of the game cannot be read:\n"
                                       : "These files of the game cannot be read:\n";
  for (const std::string& file : files) text += platform::MapPath(file) + "\n";
  text +=
      "The game may not show or play as it should. See " + Log::FileName() + " in the user folder for more.";
  platform::ShowMessageBox(text, "ERROR", platform::MessageBoxIcon::Exclamation);
}

bool FileAlerts::TakeFailedSave(Unsaved& what) {
  Alerts& alerts = State();
  const std::lock_guard<std::mutex> hold(alerts.lock);
  if (alerts.savesWaiting.empty()) return false;
  what = alerts.savesWaiting.front();
  alerts.savesWaiting.pop_front();
  alerts.savesTold.insert(what);
  return true;
}

void FileAlerts::Reset() {
  Alerts& alerts = State();
  const std::lock_guard<std::mutex> hold(alerts.lock);
  alerts.filesSeen.clear();
  alerts.filesWaiting.clear();
  alerts.savesWaiting.clear();
  alerts.savesTold.clear();
}

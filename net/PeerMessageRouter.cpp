#include "net/PeerMessageRouter.h"

#include <algorithm>

#include "framework/Log.h"
#include "net/PeerTextReader.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

// Keywords are logged at most this long.
constexpr std::size_t kLoggedKeyword = 32;

}  // namespace

bool PeerMessageRouter::Mailbox::Send(std::string_view body) {
  return router_.link_.Send(body);
}

std::string PeerMessageRouter::Mailbox::Receive() {
  router_.Pump();
  if (queue_.empty()) return {};
  std::string body = std::move(queue_.front());
  queue_.pop_front();
  return body;
}

bool PeerMessageRouter::Mailbox::Connected() const {
  return router_.link_.Connected();
}

int PeerMessageRouter::Mailbox::Role() const {
  return router_.link_.Role();
}

bool PeerMessageRouter::Mailbox::Wants(std::string_view keyword) const {
  return std::find(keywords_.begin(), keywords_.end(), keyword) != keywords_.end();
}

PeerMessageRouter::Mailbox& PeerMessageRouter::Open(std::initializer_list<std::string_view> keywords) {
  return Open(std::vector<std::string>(keywords.begin(), keywords.end()));
}

PeerMessageRouter::Mailbox& PeerMessageRouter::Open(const std::vector<std::string>& keywords) {
  std::vector<std::string> set = keywords;
  std::sort(set.begin(), set.end());
  set.erase(std::unique(set.begin(), set.end()), set.end());
  for (const std::unique_ptr<Mailbox>& mailbox : mailboxes_) {
    if (mailbox->keywords_ == set) return *mailbox;
  }
  mailboxes_.push_back(std::unique_ptr<Mailbox>(new Mailbox(*this, std::move(set))));
  return *mailboxes_.back();
}

void PeerMessageRouter::Pump() {
  for (std::string body = link_.Receive(); !body.empty(); body = link_.Receive()) File(body);
}

void PeerMessageRouter::File(const std::string& body) {
  const std::string_view keyword = Keyword(body);
  bool wanted = false;
  for (const std::unique_ptr<Mailbox>& mailbox : mailboxes_) {
    if (!mailbox->Wants(keyword)) continue;
    wanted = true;
    if (mailbox->queue_.size() < kMailboxLimit) {
      mailbox->queue_.push_back(body);
    } else {
      Log::Printf("Peer message dropped, its mailbox is full: %s",
                  PrintableExcerpt(keyword, kLoggedKeyword).c_str());
    }
  }
  if (!wanted)
    Log::Printf("Peer message with an unknown keyword dropped: %s",
                PrintableExcerpt(keyword, kLoggedKeyword).c_str());
}

std::string_view PeerMessageRouter::Keyword(std::string_view body) {
  const std::size_t start = body.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  const std::size_t end = body.find_first_of(kBlanks, start);
  return body.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

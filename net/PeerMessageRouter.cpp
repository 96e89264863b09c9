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
  taken_ = queue_.front().order;
  std::string body = std::move(queue_.front().body);
  queue_.pop_front();
  return body;
}

bool PeerMessageRouter::Mailbox::Connected() const {
  return router_.link_.Connected();
}

int PeerMessageRouter::Mailbox::Role() const {
  return router_.link_.Role();
}

void PeerMessageRouter::Mailbox::Drop() {
  router_.Drop();
}

void PeerMessageRouter::Mailbox::ForgetBefore(const Mailbox& reader) {
  while (!queue_.empty() && queue_.front().order < reader.taken_) queue_.pop_front();
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
  while (!dropped_) {
    const std::string body = link_.Receive();
    if (body.empty()) return;
    File(body);
  }
}

void PeerMessageRouter::File(const std::string& body) {
  const std::string_view keyword = Keyword(body);
  const std::uint64_t order = ++filed_;
  bool wanted = false;
  for (const std::unique_ptr<Mailbox>& mailbox : mailboxes_) {
    if (!mailbox->Wants(keyword)) continue;
    wanted = true;
    if (mailbox->queue_.size() >= kMailboxLimit) return GiveUp("for a full mailbox", keyword);
    mailbox->queue_.push_back({order, body});
  }
  if (!wanted) GiveUp("with an unknown keyword", keyword);
}

void PeerMessageRouter::GiveUp(std::string_view why, std::string_view keyword) {
  Log::Printf("Peer message %.*s, the link is given up: %s", static_cast<int>(why.size()), why.data(),
              PrintableExcerpt(keyword, kLoggedKeyword).c_str());
  Drop();
}

void PeerMessageRouter::Drop() {
  if (!dropped_ && !farewell_.empty() && link_.Connected()) link_.Send(farewell_);
  dropped_ = true;
  link_.Drop();
}

const std::string* PeerMessageRouter::HeldBeyond(std::initializer_list<const Mailbox*> readers) const {
  const auto taken = [&readers](std::string_view keyword) {
    return std::any_of(readers.begin(), readers.end(),
                       [keyword](const Mailbox* m) { return m->Wants(keyword); });
  };
  std::uint64_t after = 0;
  for (const Mailbox* reader : readers) after = std::max(after, reader->taken_);
  for (const std::unique_ptr<Mailbox>& mailbox : mailboxes_) {
    if (std::find(readers.begin(), readers.end(), mailbox.get()) != readers.end()) continue;
    for (const Mailbox::Filed& filed : mailbox->queue_) {
      if (filed.order > after && !taken(Keyword(filed.body))) return &filed.body;
    }
  }
  return nullptr;
}

std::string_view PeerMessageRouter::Keyword(std::string_view body) {
  const std::size_t start = body.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  const std::size_t end = body.find_first_of(kBlanks, start);
  return body.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// Shares one peer link among the parties of a network game (the game mode,
// the board's and the duel's network commanders). Each party opens a mailbox
// for the keywords its messages begin with and polls only that mailbox; the
// router files every message the link delivers into the mailboxes whose set
// holds its keyword, in the order it arrived, so no party can take or block
// another's messages. A message no mailbox wants, or one for a full
// mailbox, cannot be followed: the router logs it, gives the link up (the
// parties then see it lost) and files nothing more. A router given a
// farewell sends it whenever it gives the link up, so that the peer hears
// at once that this machine left rather than at its time-out.
//
// The owner of the link opens every party's mailbox when it makes the link,
// so that nothing that arrives early is lost; a mailbox lives as long as the
// router, and a party made again finds what waited for it. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/PeerChannel.h"

class PeerMessageRouter {
 public:
  // Messages one mailbox holds at most; one more gives the link up, so
  // that a peer cannot fill memory through a party that is not polling.
  static constexpr std::size_t kMailboxLimit = 4096;

  // The channel of one party. Send goes straight to the link; Receive first
  // files what the link has delivered, then hands out this party's oldest
  // message.
  class Mailbox final : public PeerChannel {
   public:
    bool Send(std::string_view body) override;
    std::string Receive() override;
    bool Connected() const override;
    int Role() const override;
    void Drop() override;
    // A message that waits for another party and that this mailbox's
    // reader would never take (see HeldBeyond); null when there is none.
    const std::string* HeldElsewhere() const { return router_.HeldBeyond({this}); }
    // Messages filed here and not yet received.
    std::size_t Waiting() const { return queue_.size(); }
    // Returns a received message to the front of this mailbox, for a later
    // reader: a party that took a message belonging to its successor (such
    // as the next duel's greeting) leaves it there.
    void PutBack(std::string body) { queue_.push_front({taken_, std::move(body)}); }
    // Drops the messages filed here before the last one `reader` took:
    // what the peer sent before the messages `reader` has followed since.
    void ForgetBefore(const Mailbox& reader);

   private:
    friend class PeerMessageRouter;
    // A message with its place in the order the link delivered them.
    struct Filed {
      std::uint64_t order;
      std::string body;
    };

    Mailbox(PeerMessageRouter& router, std::vector<std::string> keywords)
        : router_(router), keywords_(std::move(keywords)) {}
    bool Wants(std::string_view keyword) const;

    PeerMessageRouter& router_;
    std::vector<std::string> keywords_;
    std::deque<Filed> queue_;
    std::uint64_t taken_ = 0;  // the place of the last message handed out
  };

  // Routes the messages of `link`, which must outlive the router; a
  // non-empty `farewell` goes to the peer when the link is given up.
  explicit PeerMessageRouter(PeerChannel& link, std::string farewell = {})
      : link_(link), farewell_(std::move(farewell)) {}
  PeerMessageRouter(const PeerMessageRouter&) = delete;
  PeerMessageRouter& operator=(const PeerMessageRouter&) = delete;

  // The mailbox of the messages whose keyword is one of `keywords`; the
  // mailbox opened before when the set is the same. A keyword may belong to
  // several sets (such as "abort"): each of their mailboxes gets a copy.
  Mailbox& Open(std::initializer_list<std::string_view> keywords);
  Mailbox& Open(const std::vector<std::string>& keywords);
  // Files every message the link has delivered, until the link is given up.
  void Pump();
  // The first message that waits in a mailbox other than `readers`, under a
  // keyword none of `readers` takes (so a copy of "abort" they take too
  // does not count), and that arrived after the last one they took; null
  // when there is none. A party that waits for the peer while such a
  // message waits would wait for ever: the peer went on to a phase this
  // machine is not in, or a message was not what the peer sent. One that
  // arrived before (a summary that crossed the start) is merely stale.
  const std::string* HeldBeyond(std::initializer_list<const Mailbox*> readers) const;
  // Gives the link up, after the farewell while it is connected, and files
  // nothing more.
  void Drop();

  // The first blank-separated word of a message.
  static std::string_view Keyword(std::string_view body);

 private:
  void File(const std::string& body);
  // Logs why the message under `keyword` cannot be followed and drops.
  void GiveUp(std::string_view why, std::string_view keyword);

  PeerChannel& link_;
  const std::string farewell_;
  std::vector<std::unique_ptr<Mailbox>> mailboxes_;
  std::uint64_t filed_ = 0;  // messages filed so far
  bool dropped_ = false;
};

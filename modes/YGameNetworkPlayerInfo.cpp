// The network game's "playerinfo": the peer's profile summary, read back
// word by word. A name may hold blanks: its words are all but the last four
// (face, the two values and the sender's flag).
#include <charconv>
#include <sstream>
#include <vector>

#include "framework/Log.h"
#include "modes/YGameNetwork.h"
#include "players/PlayerRules.h"
#include "players/YHeroReader.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"

namespace {

constexpr std::size_t kTailWords = 4;  // face, two values, flag

bool ReadInt(const std::string& word, std::int32_t& value) {
  const char* end = word.data() + word.size();
  const auto [ptr, error] = std::from_chars(word.data(), end, value);
  return error == std::errc() && ptr == end;
}

// The picture of that name, loaded now: one made before the device (the
// new-hero dialogs make their first portrait at start) waits for a first
// use that spare time gives only in a game, and the network screen's panel
// draws loaded pictures alone.
YTextureBase* LoadedFace(const std::string& name) {
  YTextureBase* face = YContainer<YTextureBase>::Get(name);
  face->LoadIfWaiting();
  return face;
}

// The face picture of that name when a hero of the catalogue wears it;
// null for any other name, so that a peer cannot make this machine load
// files it chose.
YTextureBase* CatalogueFace(const std::string& name) {
  for (const YHeroRace& race : HeroRaces()) {
    for (const YHeroType* type : {race.male.get(), race.female.get()}) {
      if (type != nullptr && "textures\\" + type->face == name) return LoadedFace(name);
    }
  }
  return nullptr;
}

}  // namespace

void YGameNetwork::HandlePlayerInfo(std::string_view body) {
  std::istringstream in{std::string(body)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  // The keyword, at least one word of name, and the tail.
  if (words.size() < 2 + kTailWords) {
    Log::Printf("A player info from the peer is dropped: %d words", static_cast<int>(words.size()));
    return;
  }
  const std::size_t tail = words.size() - kTailWords;
  ProfileInfo info;
  const std::string& flag = words[tail + 3];
  if (!ReadInt(words[tail + 1], info.level) || !ReadInt(words[tail + 2], info.monsters) ||
      (flag != "0" && flag != "1")) {
    Log::Printf("A player info from the peer is dropped: bad values");
    return;
  }
  for (std::size_t i = 1; i < tail; ++i) info.name += (i > 1 ? " " : "") + words[i];
  CutHeroName(info.name);  // no longer than the peer's own name box takes
  info.face = CatalogueFace(words[tail]);
  peer_ = std::move(info);
  hasPeerInfo_ = true;
  // A peer that had no summary of this machine yet: the local user picks
  // again, and that answer carries the flag that completes the exchange.
  if (flag == "0") profile_[0] = -1;
  if (flag == "1") awaitingAnswer_ = false;
}

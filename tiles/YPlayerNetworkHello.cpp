// The duel network commander's greeting: the local fighter's values
// written out, and the peer's read back, every value checked, into this
// machine's record of the remote fighter.
#include <algorithm>
#include <array>

#include "framework/Log.h"
#include "net/PeerChannel.h"
#include "net/PeerTextReader.h"
#include "players/TileTables.h"
#include "players/YArtifact.h"
#include "players/YArtifactLoader.h"
#include "players/YPlayer.h"
#include "players/YTileSpell.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"
#include "tiles/YPlayerNetwork.h"
#include "tiles/YTileset.h"

namespace {

// Bounds that keep the rules' arithmetic far from overflow. An element
// value may be negative: a pair of one element pays both its costs from it
// with no lower bound, and the board carries the value into the next fight.
constexpr std::int32_t kMaxValue = 1 << 20;
constexpr std::int32_t kMaxExperience = 1 << 30;
// More spells than any fighter knows; a message holds fewer anyway.
constexpr std::int32_t kMaxSpells = 64;
constexpr std::size_t kHealthCap = 5;  // health's place among the caps
// How much of a name a log line shows.
constexpr std::size_t kLoggedName = 40;

// The values in the order the greeting carries them after the name.
struct HelloValues {
  std::string name;
  std::int32_t level = 0;
  std::int32_t experience = 0;
  std::int32_t health = 0;
  std::int32_t maxHealth = 0;
  std::array<std::int32_t, 4> mana{};
  std::array<std::int32_t, 4> maxMana{};
  std::string face;
  std::string artifact;
  std::vector<std::uint32_t> spells;
};

std::string ValuesText(const YPlayer& record) {
  std::string text = std::to_string(record.level) + " " + std::to_string(record.experience) + " " +
                     std::to_string(record.health) + " " + std::to_string(record.maxValues[kHealthCap]);
  for (std::size_t e = 0; e < 4; ++e)
    text += " " + std::to_string(record.mana[e]) + " " + std::to_string(record.maxValues[1 + e]);
  const YTextureBase* face = record.face;
  text += " " + (face != nullptr && IsMessageWord(face->name()) ? face->name() : std::string("0"));
  text += " " + (record.artifact != nullptr && IsMessageWord(record.artifact->id) ? record.artifact->id
                                                                                  : std::string("0"));
  text += " " + std::to_string(record.spells.size());
  for (const YTileSpell* spell : record.spells)
    text += " " + std::to_string(spell != nullptr ? spell->key : 0);
  return text;
}

// The name as one line of at most `room` characters.
std::string NameLine(std::string name, std::size_t room) {
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  if (name.size() > room) name.resize(room);
  return name;
}

bool ReadValues(PeerTextReader& reader, HelloValues& v) {
  std::int32_t index = 0;
  reader.Int(index, 0, 1);
  reader.Line(v.name);
  reader.Int(v.level, 0, kMaxValue);
  reader.Int(v.experience, 0, kMaxExperience);
  reader.Int(v.health, 0, kMaxValue);
  reader.Int(v.maxHealth, 0, kMaxValue);
  for (std::size_t e = 0; e < 4; ++e) {
    reader.Int(v.mana[e], -kMaxValue, kMaxValue);
    reader.Int(v.maxMana[e], 0, kMaxValue);
  }
  reader.DataName(v.face);
  reader.Word(v.artifact);
  reader.UnsignedList(v.spells, kMaxSpells);
  return reader.Ok();
}

// The panels count the remote fighter's health and elements up from zero.
void ApplyValues(const HelloValues& v, YPlayer& record) {
  record.name = v.name;
  record.level = v.level;
  record.experience = v.experience;
  record.shownExperience = v.experience;
  record.health = v.health;
  record.shownHealth = 0;
  record.maxValues[kHealthCap] = v.maxHealth;
  record.mana = v.mana;
  for (std::size_t e = 0; e < 4; ++e) record.maxValues[1 + e] = v.maxMana[e];
  record.shownMana = {};
  record.face = v.face == "0" ? nullptr : YContainer<YTextureBase>::Get(v.face);
  record.artifact = v.artifact == "0" ? nullptr : YArtifactLoader::FindArtifact(v.artifact);
  record.spells.clear();
  for (std::uint32_t key : v.spells) {
    if (YTileSpell* spell = GetTileTables().FindSpell(key)) record.spells.push_back(spell);
  }
}

}  // namespace

bool YPlayerNetwork::SendHello(const YPlayer& record) {
  if (failed_) return false;
  const std::string head = "hello " + std::to_string(side ^ 1) + "\n";
  const std::string values = ValuesText(record);
  const std::size_t fixed = head.size() + 1 + values.size();
  if (fixed > PeerChannel::kMaxBody) {
    Log::Printf("Duel greeting of %zu characters is over the link's %zu, the duel ends: %s", fixed,
                PeerChannel::kMaxBody, PrintableExcerpt(record.name, kLoggedName).c_str());
    Fail();
    return false;
  }
  const std::string name = NameLine(record.name, PeerChannel::kMaxBody - fixed);
  if (name.size() < record.name.size())
    Log::Printf("Duel greeting: the name %s is sent shortened",
                PrintableExcerpt(record.name, kLoggedName).c_str());
  return Send(head + name + "\n" + values);
}

void YPlayerNetwork::HandleHello(PeerTextReader& reader, std::string_view message) {
  if (helloReceived_ && started_) {
    // The peer has decided this duel and greets for its next one.
    control_.PutBack(std::string(message));
    return;
  }
  if (helloReceived_) return Refuse("a second greeting", message);
  HelloValues values;
  if (!ReadValues(reader, values)) return Refuse("bad greeting values", message);
  if (YPlayer* remote = Battle()->Fighter(side)) ApplyValues(values, *remote);
  helloReceived_ = true;
  if (pendingStart_) StartAsMaster();
}

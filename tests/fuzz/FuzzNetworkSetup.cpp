// A hostile peer before a network game: the network mode of one machine,
// connected over an in-memory link, reads the mode's messages ("playerinfo",
// "canStart", "abort" and others) that the bytes write, while its user
// picks profiles and presses start. The mode may never crash, start on its
// own when it is not the master, show a face the hero catalogue does not
// have, or allow a start without the peer's summary. A game that begins
// runs a few frames. The target works in a scratch folder of its own: give
// it its corpus folders as whole paths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "board/YTessor.h"
#include "framework/Init.h"
#include "framework/YLocale.h"
#include "modes/PeerLinkFactory.h"
#include "modes/YGameNetwork.h"
#include "net/PeerMessageRouter.h"
#include "players/PlayerProfiles.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "render/YTextureBase.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/modes/RecordingHost.h"
#include "tests/net/MemoryPeerLink.h"
#include "tiles/YTileset.h"

namespace {

namespace fs = std::filesystem;

// The local end of the pair, handed to the mode as its link (not owned).
struct LocalEnd final : PeerChannel {
  explicit LocalEnd(PeerChannel& end) : end(end) {}
  bool Send(std::string_view body) override { return end.Send(body); }
  std::string Receive() override { return end.Receive(); }
  bool Connected() const override { return end.Connected(); }
  int Role() const override { return end.Role(); }
  PeerChannel& end;
};

struct Links final : PeerLinkFactory {
  explicit Links(PeerChannel& end) : end(end) {}
  std::unique_ptr<PeerChannel> Connect(const std::string&) override { return std::make_unique<LocalEnd>(end); }
  void Flush(PeerChannel&) override {}
  PeerChannel& end;
};

// Starts of the messages the bytes write, so that every handler is reached.
constexpr std::string_view kKeywords[] = {"playerinfo ", "canStart", "abort", "",
                                          "playerinfo Eve ", "playerinfo Old Tom textures\\heroes\\",
                                          "hello ", "a_hello "};

// A face of the hero catalogue.
bool CatalogueFace(const std::string& name) {
  for (const YHeroRace& race : HeroRaces()) {
    for (const YHeroType* type : {race.male.get(), race.female.get()})
      if (type != nullptr && "textures\\" + type->face == name) return true;
  }
  return false;
}

void CheckState(const YGameNetwork& mode, bool startSent) {
  if (mode.CanStart() && (!mode.Master() || !mode.HasPeerInfo() || mode.LocalProfile() < 0)) std::abort();
  if (mode.Started() && !mode.Master() && !startSent) std::abort();
  if (mode.HasPeerInfo() && mode.PeerInfo().face != nullptr && !CatalogueFace(mode.PeerInfo().face->name()))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const fs::path& scratch = fuzz::ScratchFolder();
  const fs::path content = fs::path(QV_SOURCE_DIR) / "content";
  const std::string english = (content / "ui" / "english").string() + "/";
  std::error_code ec;
  fs::create_directories(scratch / "QuennelVarrick" / "players", ec);
  for (const auto& entry : fs::directory_iterator(content / "players", ec))
    fs::copy_file(entry.path(), scratch / "QuennelVarrick" / "players" / entry.path().filename(), ec);
  fs::create_directories(scratch / "layouts", ec);
  fs::copy_file(content / "layouts" / "standard.lay", scratch / "layouts" / "standard.lay", ec);
  fs::current_path(scratch, ec);
  GetInit().appData = scratch.string();
  GetLocale().Load(english + "locale.yml");
  YArtifactLoader artifacts(english + "artifacts.yml");
  YMonsterReader().Load(english + "monsters.yml");
  YHeroReader heroes(english + "heroes.yml");
  GetTileTables().Load(english);
  ScanPlayerProfiles();
  LoadProfileSummaries();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Script script{data, size};
  const bool master = (script.Next() & 1) != 0;  // which role this machine's link took
  MemoryPeerLink pair;
  MemoryPeerLink::End& own = master ? pair.master : pair.slave;
  MemoryPeerLink::End& peer = master ? pair.slave : pair.master;
  Links links(own);
  RecordingHost host;
  YTessor board;
  YTileset battle;
  YGameNetwork mode(board, battle);
  mode.SetHost(&host);
  mode.SetLinkFactory(&links);
  mode.Connect("", false);
  bool startSent = false;
  for (int steps = 0; steps < 64 && !script.Done() && !mode.Started(); ++steps) {
    const std::uint8_t op = script.Next();
    switch (op & 3) {
      case 0: {  // the peer sends a message the bytes write
        const std::string_view keyword = kKeywords[(op >> 2) & 7];
        std::string body(keyword);
        for (std::uint8_t length = script.Next(); length > 0 && !script.Done(); --length)
          body.push_back(static_cast<char>(script.Next()));
        startSent |= PeerMessageRouter::Keyword(body) == YGameNetwork::kCanStart;
        peer.Send(body);
        break;
      }
      case 1:  // the local user picks a profile (or one outside the list)
        mode.SendPlayerInfo(static_cast<std::int32_t>(op >> 2) % 4 - 1);
        break;
      case 2:
        mode.HandleMessages();
        break;
      default:
        mode.Start();
        break;
    }
    CheckState(mode, startSent);
  }
  if (mode.Started()) {
    for (int frame = 0; frame < 4; ++frame) board.Update(0.05f);
  }
  mode.End();
  return 0;
}

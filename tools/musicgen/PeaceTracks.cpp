#include "tools/musicgen/PeaceTracks.h"

#include "tools/musicgen/Arranger.h"
#include "tools/musicgen/Harmony.h"

namespace peace_tracks {
using Mode = Harmony::Mode;

Song Menu() {
  const Harmony h(62, Mode::Major, 4, "1 5 6 3 4 1 4 5 | 6 4 1 5 6 4 2,5 5");
  Arranger a(h, 100);
  a.Melody(
      "1:1.5 2:.5 3 5 | 5:2 4:.5 3:.5 2 | 3:1.5 4:.5 3 1 | 0:1.5 1:.5 3:2 | "
      "6:1.5 5:.5 4 6 | 5:2 3 1 | 4 5 6 8 | 7:2 5:2 | "
      "8:1.5 7:.5 6 3 | 4:1.5 5:.5 6 8 | 9 10 8:2 | 7:1.5 6:.5 5:2 | "
      "6 7 8:1.5 6:.5 | 4 6 8:2 | 9 8 7 6 | 5:3 0",
      62, {Voice::Brass, 0.5F, 0.0F, 0.3F}, 0.9);
  a.Chords("C---", 50, {Voice::Strings, 0.24F, -0.3F, 0.4F});
  a.Chords("01234321", 55, {Voice::Pluck, 0.4F, 0.35F, 0.35F});
  a.Chords("R---F---", 38, {Voice::Bass, 0.45F, 0.0F, 0.1F});
  a.DrumsOnRoot("X.......x.......", 38, {Voice::Timpani, 0.22F, -0.15F, 0.3F});
  a.Drums("....o.......o..o", 0, {Voice::Snare, 0.12F, 0.2F, 0.25F});
  a.Drums(Arranger::OnceEvery(8, "X......."), 0, {Voice::Cymbal, 0.2F, 0.3F, 0.3F});
  return a.ToSong("00_menu.ogg", "stately procession: brass tune, strings, harp, timpani", 76);
}

Song Panel() {
  const Harmony h(65, Mode::Major, 3, "1 6 4 5 1 6 2 5 | 4 5 3 6 2 5 1 5");
  Arranger a(h, 101);
  a.Melody(
      "3:2 5 | 6:1.5 5:.5 3 | 4:2 6 | 5:3 | 8:2 7:.5 6:.5 | 6:2 5 | 4:1.5 3:.5 2 | 2 0:2 | "
      "1 2 4 | 5:2 4:.5 3:.5 | 3:1.5 5:.5 7 | 6:2 8 | 9:1.5 8:.5 6 | 7:2 5 | 3:2 1 | 2:3",
      65, {Voice::Flute, 0.45F, 0.1F, 0.35F}, 0.95);
  a.Chords("012321", 53, {Voice::Pluck, 0.45F, -0.25F, 0.35F});
  a.Chords("C--", 48, {Voice::Strings, 0.18F, 0.3F, 0.45F});
  a.Chords("r--", 41, {Voice::Bass, 0.35F, 0.0F, 0.1F});
  a.Drums("x.o.o.", 0, {Voice::Shaker, 0.1F, -0.4F, 0.2F});
  Song song = a.ToSong("01_panel.ogg", "calm waltz: flute over harp, soft strings", 84);
  song.reverbFeedback = 0.86;
  return song;
}

Song Finale() {
  const Harmony h(60, Mode::Major, 4, "1 6 4 b6M,b7M 1");
  Arranger a(h, 102);
  const char* tune = "5:1.5 5:.5 8:2 | 10:1.5 9:.5 8 6 | 6 8 11:2 | 8 b10 11:2 | 12:4";
  a.Melody(tune, 60, {Voice::Brass, 0.5F, 0.05F, 0.35F}, 0.95);
  a.Melody(tune, 48, {Voice::Brass, 0.25F, -0.2F, 0.35F}, 0.95);
  a.Chords("C---", 55, {Voice::Choir, 0.4F, 0.2F, 0.5F});
  a.Chords("C---", 48, {Voice::Strings, 0.32F, -0.3F, 0.45F});
  a.Chords("R---", 36, {Voice::Bass, 0.4F, 0.0F, 0.1F});
  a.Chords("01234567", 60, {Voice::Pluck, 0.25F, 0.4F, 0.4F});
  a.DrumsOnRoot("X.......x.......|X.......x.......|X.......x.......|ooooooooxxxxXXXX|X...............", 36,
                {Voice::Timpani, 0.15F, -0.1F, 0.3F});
  a.Drums("X...............|................|................|................|X...............", 0,
          {Voice::Cymbal, 0.3F, 0.25F, 0.4F});
  Song song = a.ToSong("02_finale.ogg", "grand close: brass in octaves, choir, timpani roll", 76);
  song.loop = false;
  song.tail = 3.5;
  return song;
}

Song Board() {
  const Harmony h(57, Mode::Minor, 4, "1 6 3 7 1 6 4 5M | 6 3 7 1 4 1 5M 5M7");
  Arranger a(h, 103);
  a.Melody(
      "5:1.5 3:.5 1:2 | 6:2 5 3 | 5:3 r | 4 2 7:2 | 8:1.5 7:.5 5:2 | 6 8 10:2 | 11:1.5 10:.5 8 6 | "
      "#7:2 5:2 | r 3 6 8 | 10:2 9 8 | 9:2 7:2 | 8:3 r | 6:1.5 8:.5 11:2 | 10:1.5 9:.5 8:2 | "
      "#7 9 12:2 | 11:2 9 #7",
      69, {Voice::Bell, 0.35F, 0.15F, 0.45F}, 0.9);
  a.Chords("02120212", 52, {Voice::Pluck, 0.4F, -0.2F, 0.3F});
  a.Chords("C---", 45, {Voice::Strings, 0.14F, 0.3F, 0.5F});
  a.Chords("R.....r.F...r...", 40, {Voice::Bass, 0.35F, 0.0F, 0.1F});
  a.Drums("x..o..x...o.o...", 50, {Voice::Tom, 0.18F, 0.25F, 0.2F});
  a.Drums("..o...o...o...o.", 0, {Voice::Shaker, 0.08F, -0.3F, 0.2F});
  return a.ToSong("03_board.ogg", "thoughtful: celesta over a lute pattern, hand drum", 92);
}

}  // namespace peace_tracks

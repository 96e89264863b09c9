#include "tools/musicgen/BattleTracks.h"

#include "tools/musicgen/Arranger.h"
#include "tools/musicgen/Harmony.h"

namespace battle_tracks {
namespace {

using Mode = Harmony::Mode;

// The duels' tracks ring a little shorter than the calm ones.
Song Make(const char* file, const char* mood, const Arranger& arranger, double bpm) {
  Song song = arranger.ToSong(file, mood, bpm);
  song.reverbFeedback = 0.8;
  return song;
}

// The common drum kit of the duels; the toms fill every fourth bar.
void DuelDrums(Arranger& a, const char* kick, const char* snare, const char* hat) {
  a.Drums(kick, 0, {Voice::Kick, 0.35F, 0.0F, 0.05F});
  a.Drums(snare, 0, {Voice::Snare, 0.3F, 0.1F, 0.2F});
  a.Drums(hat, 0, {Voice::Hat, 0.14F, 0.3F, 0.1F});
  a.Drums("................|................|................|........X.x.xXxX", 45,
          {Voice::Tom, 0.35F, -0.25F, 0.2F});
}

}  // namespace

Song DuelEven() {
  const Harmony h(62, Mode::Minor, 4, "1 1 6 5M 1 1 4 5M | 6 7 3 6 4 2 5M 5M");
  Arranger a(h, 200);
  a.Melody(
      "5:1.5 6:.5 5 3 | 1:2 r:2 | 6:1.5 5:.5 6 8 | #7:2 5:2 | 8:1.5 9:.5 8 5 | 3:2 r 5 | "
      "6:1.5 5:.5 4 6 | 5:3 r | 8 6 3:2 | 7 2 4:2 | 3 5 7:2 | 8:1.5 6:.5 3:2 | 4 6 8 11 | 9:2 8 6 | "
      "#7:1.5 9:.5 #7 5 | 5:2 #7:2",
      62, {Voice::StringsLead, 0.55F, 0.05F, 0.3F}, 0.92);
  a.Chords("RRORFROR", 50, {Voice::StringsShort, 0.4F, -0.3F, 0.2F});
  a.Chords("R..R..R.R..R..F.", 38, {Voice::Bass, 0.45F, 0.0F, 0.05F});
  a.Chords("C.......C...c...|C...............", 57, {Voice::Brass, 0.2F, 0.3F, 0.3F});
  DuelDrums(a, "X..x..X...x.X...", "....X.......X...", "x.o.x.o.x.o.x.o.");
  return Make("04_duel.ogg", "tense: strings lead over an ostinato, driving drums", a, 120);
}

Song DuelLow() {
  const Harmony h(64, Mode::Minor, 4, "1 b2M 1 b2M 6 4 5M 5M | 1 b2M 1 b2M 6 4 2 5M");
  Arranger a(h, 201);
  a.Melody(
      "5:.5 5:.5 r:.5 5:.5 6 5 | b2 4 6:2 | 5:.5 5:.5 r:.5 5:.5 8 7 | 6:1.5 4:.5 b2:2 | 3 1 3 6 | "
      "4:1.5 6:.5 8:2 | #7 5 2 #7 | 5:3 r | 8:.5 8:.5 r:.5 8:.5 9 8 | 4 6 b9:2 | 8:1.5 7:.5 5:2 | "
      "6 4 b2:2 | 3:.5 5:.5 6:.5 8:.5 10:2 | 8 6 4:2 | 2 4 6 4 | #7:2 5:2",
      64, {Voice::Brass, 0.5F, 0.05F, 0.25F}, 0.9);
  a.Chords("RRFRRRFRRRFRORFR", 52, {Voice::StringsShort, 0.35F, -0.3F, 0.2F});
  a.Chords("C---", 45, {Voice::Strings, 0.25F, 0.35F, 0.4F});
  a.Chords("R.R...R.R.R...F.", 40, {Voice::Bass, 0.45F, 0.0F, 0.05F});
  a.DrumsOnRoot("X.......X.......", 40, {Voice::Timpani, 0.15F, -0.1F, 0.3F});
  DuelDrums(a, "X..x....X..x....", "....X.......X..x", "xoxoxoxoxoxoxoxo");
  return Make("05_duel_low.ogg", "urgent: faster, brass over racing strings, heartbeat kick", a, 138);
}

Song DuelHigh() {
  const Harmony h(62, Mode::Major, 4, "1 4 1 5 1 b7M 4 5 | 6 4 1 5 4 b7M 5 5");
  Arranger a(h, 202);
  a.Melody(
      "1:.5 3:.5 5 8:2 | 6:1.5 8:.5 6 4 | 5:1.5 3:.5 5 8 | 9:2 7 5 | 8:1.5 9:.5 10 8 | b7:1.5 9:.5 11:2 | "
      "11 10 8 6 | 9:2 5:2 | 6:1.5 8:.5 10:2 | 11:1.5 10:.5 8 6 | 10 8 5 8 | 9:3 r | 8 6 11:2 | "
      "9 11 9 b7 | 9:2 12:2 | 12 11 9 7",
      62, {Voice::Brass, 0.45F, 0.0F, 0.3F}, 0.9);
  a.Chords("C...C.c.C...c.c.", 55, {Voice::Brass, 0.18F, -0.3F, 0.3F});
  a.Chords("C---", 50, {Voice::Strings, 0.2F, 0.3F, 0.4F});
  a.Chords("R.R.F.R.R.R.F.O.", 38, {Voice::Bass, 0.4F, 0.0F, 0.05F});
  a.Chords("0123432101234321", 62, {Voice::Pluck, 0.18F, 0.45F, 0.3F});
  a.DrumsOnRoot("X.......X.......", 38, {Voice::Timpani, 0.18F, -0.15F, 0.3F});
  a.Drums("X.......X.x.....", 0, {Voice::Kick, 0.3F, 0.0F, 0.05F});
  a.Drums("x.o.X.o.x.o.X.oo", 0, {Voice::Snare, 0.25F, 0.15F, 0.2F});
  a.Drums(Arranger::OnceEvery(8, "X......."), 0, {Voice::Cymbal, 0.25F, 0.3F, 0.3F});
  return Make("06_duel_high.ogg", "triumphant march: heroic brass, snare, timpani", a, 126);
}

Song Victory() {
  const Harmony h(58, Mode::Major, 4, "1 4,5 1 57 1");
  Arranger a(h, 203);
  a.Melody("5:1/3 5:1/3 5:1/3 8:1.5 5:.5 10 | 11 10 9 7 | 8:1/3 8:1/3 8:1/3 10 12:2 | 11:1.5 9:.5 7 5 | 8:4",
           58, {Voice::Brass, 0.5F, 0.1F, 0.3F}, 0.9);
  a.Melody("3:1/3 3:1/3 3:1/3 5:1.5 3:.5 8 | 8 8 7 5 | 5:1/3 5:1/3 5:1/3 8 10:2 | 9:1.5 7:.5 5 4 | 5:4", 58,
           {Voice::Brass, 0.32F, -0.25F, 0.3F}, 0.9);
  a.Chords("C---", 50, {Voice::Strings, 0.25F, 0.3F, 0.4F});
  a.Chords("R.R.R.R.", 34, {Voice::Bass, 0.4F, 0.0F, 0.05F});
  a.DrumsOnRoot("X.......X.......|X.......X.......|X.......X.......|xxxxxxxxXXXXXXXX|X...............", 41,
                {Voice::Timpani, 0.2F, -0.1F, 0.3F});
  a.Drums("................|................|................|oooooooxxxxxxxXX|X...............", 0,
          {Voice::Snare, 0.22F, 0.15F, 0.2F});
  a.Drums("X...............|................|................|................|X...............", 0,
          {Voice::Cymbal, 0.3F, 0.25F, 0.35F});
  Song song = Make("07_victory.ogg", "fanfare: brass calls in two parts, timpani and snare roll", a, 112);
  song.loop = false;
  song.tail = 3.0;
  return song;
}

Song Defeat() {
  const Harmony h(60, Mode::Minor, 4, "1 6 4,5M 1");
  Arranger a(h, 204);
  const char* tune = "5:2 3 2 | 1:1.5 0:.5 -1:2 | -1 1 #0 2 | 1:4";
  a.Melody(tune, 60, {Voice::Brass, 0.3F, 0.05F, 0.4F}, 0.95);
  a.Melody(tune, 60, {Voice::StringsLead, 0.3F, -0.1F, 0.4F}, 0.95);
  a.Chords("C---", 48, {Voice::Strings, 0.2F, 0.3F, 0.5F});
  a.Chords("C---", 55, {Voice::Choir, 0.3F, -0.3F, 0.5F});
  a.Chords("R---", 36, {Voice::Bass, 0.35F, 0.0F, 0.1F});
  a.Chords("R...|....|....|R...", 48, {Voice::Bell, 0.25F, 0.2F, 0.5F});
  a.DrumsOnRoot("o...|....|....|x...", 36, {Voice::Timpani, 0.4F, -0.1F, 0.35F});
  Song song = Make("08_defeat.ogg", "sombre: low horn and strings, choir, a tolling bell", a, 72);
  song.loop = false;
  song.tail = 3.5;
  song.reverbFeedback = 0.86;
  return song;
}

}  // namespace battle_tracks

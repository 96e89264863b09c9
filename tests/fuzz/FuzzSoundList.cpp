// Arbitrary bytes as the sound file, read without a sound device. Each "$W"
// in the input names a small real WAV file, so that sounds with variants
// are declared too. Every variant must hold whole sample frames; playing a
// sound again and again never makes more voices than it has variants, nor
// more than its limit; clearing the list empties it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

#include "sound/SoundEntry.h"
#include "sound/YSoundBuffer.h"
#include "sound/YSoundLoader.h"
#include "sound/YSoundSource.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// The reader on bytes in memory, as the loader reads a file's bytes.
class Reader : public YSoundLoader {
 public:
  using DataFileReader::ParseNamedStream;
};

std::string g_wavPath;

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xff));
}

// 16 frames of mono 16-bit sound.
void WriteSmallWav(const std::string& path) {
  std::string file = "RIFF";
  Put(file, 4 + 24 + 8 + 32, 4);
  file += "WAVEfmt ";
  Put(file, 16, 4);
  for (const auto& [value, bytes] : {std::pair{1u, 2}, {1u, 2}, {22050u, 4}, {44100u, 4}, {2u, 2}, {16u, 2}})
    Put(file, value, bytes);
  file += "data";
  Put(file, 32, 4);
  file.append(32, '\x10');
  fuzz::WriteBytes(path, reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
}

std::string WithWavNames(std::string text) {
  for (std::size_t at = text.find("$W"); at != std::string::npos; at = text.find("$W", at + g_wavPath.size()))
    text.replace(at, 2, g_wavPath);
  return text;
}

// The sounds named name="..." in the text that were declared (a name in
// text the parser skipped declared nothing).
template <typename Visit>
void ForEachDeclaredSound(const std::string& text, Visit visit) {
  for (std::size_t at = text.find("name=\""); at != std::string::npos; at = text.find("name=\"", at + 1)) {
    const std::size_t start = at + 6, end = text.find('"', start);
    if (end == std::string::npos) return;
    if (SoundEntry* entry = FindSound(text.substr(start, end - start))) visit(*entry);
  }
}

void CheckSound(SoundEntry& entry) {
  for (std::size_t i = 0; i < entry.VariantCount(); ++i) {
    const YSoundBuffer& variant = entry.Variant(i);
    const auto frame = static_cast<std::size_t>(variant.Format().BlockAlign());
    if (frame == 0 || variant.Data().size() % frame != 0) std::abort();
  }
  for (int i = 0; i < 2; ++i) entry.Play(YVector3(1, 2, 3), 1.0f, YVector3());
  SoundFrame();
  if (entry.VoiceCount() > std::min(entry.VariantCount(), SoundEntry::kMaxVoices)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_wavPath = (fuzz::ScratchFolder() / "small.wav").string();
  WriteSmallWav(g_wavPath);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = WithWavNames(fuzz::AsText(data, size));
  {
    Reader reader;
    std::istringstream in(text);
    reader.ParseNamedStream(in, "sound_fx.yml");
  }
  ForEachDeclaredSound(text, CheckSound);
  ClearSounds();
  if (FindSound("") != nullptr) std::abort();
  return 0;
}

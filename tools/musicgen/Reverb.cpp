#include "tools/musicgen/Reverb.h"

#include <array>

namespace {

// Delay lengths in samples at 44100 Hz; mutually prime-ish so the echoes
// do not pile up into a pitch.
constexpr std::array<int, 8> kCombs{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kPasses{556, 441, 341, 225};
constexpr int kSpread = 23;
constexpr float kInputGain = 0.015F;

}  // namespace

Reverb::Reverb(int rate, double feedback, double damp)
    : feedback_(static_cast<float>(feedback)), damp_(static_cast<float>(damp)) {
  const double scale = rate / 44100.0;
  for (int c = 0; c < 2; ++c) {
    for (int length : kCombs)
      channels_[c].combs.push_back(
          {std::vector<float>(static_cast<std::size_t>((length + c * kSpread) * scale)), 0, 0});
    for (int length : kPasses)
      channels_[c].passes.push_back(
          {std::vector<float>(static_cast<std::size_t>((length + c * kSpread) * scale)), 0});
  }
}

float Reverb::Step(Channel& channel, float in) {
  float out = 0.0F;
  for (Comb& comb : channel.combs) {
    const float delayed = comb.line[comb.at];
    comb.store = delayed * (1.0F - damp_) + comb.store * damp_;
    comb.line[comb.at] = in + comb.store * feedback_;
    comb.at = (comb.at + 1) % comb.line.size();
    out += delayed;
  }
  for (AllPass& pass : channel.passes) {
    const float delayed = pass.line[pass.at];
    pass.line[pass.at] = out + delayed * 0.5F;
    pass.at = (pass.at + 1) % pass.line.size();
    out = delayed - out;
  }
  return out;
}

void Reverb::Run(const StereoBuffer& input, StereoBuffer* output) {
  const std::vector<float>& left = input.Channel(0);
  const std::vector<float>& right = input.Channel(1);
  for (std::size_t i = 0; i < input.Frames(); ++i) {
    const float in = (left[i] + right[i]) * kInputGain;
    const float l = Step(channels_[0], in);
    const float r = Step(channels_[1], in);
    if (output != nullptr) {
      output->Channel(0)[i] = l;
      output->Channel(1)[i] = r;
    }
  }
}

StereoBuffer Reverb::Process(const StereoBuffer& input) {
  StereoBuffer output(input.Frames());
  Run(input, &output);
  return output;
}

StereoBuffer Reverb::ProcessLoop(const StereoBuffer& input) {
  Run(input, nullptr);
  return Process(input);
}

// A stereo track being mixed: two channels of float samples. Notes are
// added either clipped at the end or wrapped round to the start, which is
// how a looping track keeps every tail inside the loop.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

class StereoBuffer {
 public:
  explicit StereoBuffer(std::size_t frames);

  std::size_t Frames() const { return channels_[0].size(); }
  std::vector<float>& Channel(int c) { return channels_.at(static_cast<std::size_t>(c)); }
  const std::vector<float>& Channel(int c) const { return channels_.at(static_cast<std::size_t>(c)); }
  // Both channels, in the form the Ogg Vorbis writer takes.
  std::span<const std::vector<float>> Channels() const { return channels_; }

  // Adds a mono signal from frame start with a gain per channel; with
  // circular set what passes the end continues at frame 0, otherwise it is
  // dropped.
  void AddMono(std::size_t start, std::span<const float> samples, float gainLeft, float gainRight,
               bool circular);
  void AddScaled(const StereoBuffer& other, float gain);
  float Peak() const;
  void Scale(float gain);
  // Raised-cosine fades over the first or last frames.
  void FadeIn(std::size_t frames);
  void FadeOut(std::size_t frames);

 private:
  std::array<std::vector<float>, 2> channels_;
};

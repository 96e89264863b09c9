// Renders a song's notes into a finished stereo track: each note from its
// instrument, panned, with a reverb send; a loop wraps every tail (notes
// and reverb) round to its start so that its end runs on into its start,
// a once-track ends with a fade. The result peaks a little below full
// scale.
#pragma once

#include "tools/musicgen/Song.h"
#include "tools/musicgen/StereoBuffer.h"

class Mixdown {
 public:
  explicit Mixdown(const Song& song);

  StereoBuffer Render() const;
  // The track's length in frames at the instruments' rate.
  std::size_t Frames() const;

 private:
  void PlaceNotes(StereoBuffer& dry, StereoBuffer& send) const;

  const Song& song_;
};

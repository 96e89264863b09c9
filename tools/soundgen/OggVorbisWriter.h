// Encodes float samples as an Ogg Vorbis file with libvorbisenc in its
// quality (VBR) mode. The encoder state and the output file are owned here
// and released by the destructor; for the same input, rate, quality and
// serial number the file is the same byte for byte.
#pragma once

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <span>
#include <string>
#include <vector>

#include "tools/soundgen/BinaryFile.h"

class OggVorbisWriter {
 public:
  // Opens the file and writes the stream headers; quality is libvorbisenc's
  // scale (-0.1 .. 1.0). Check Ok() before writing.
  OggVorbisWriter(const std::string& path, int channels, int rate, float quality, int serial);
  ~OggVorbisWriter();
  OggVorbisWriter(const OggVorbisWriter&) = delete;
  OggVorbisWriter& operator=(const OggVorbisWriter&) = delete;

  bool Ok() const { return ready_ && file_.Ok(); }
  // Encodes one vector per channel (as many as the constructor was given),
  // all of the same length. May be called repeatedly.
  void Write(std::span<const std::vector<float>> channels);
  // Ends the stream, writes the last pages and closes the file; true when
  // the whole file was written.
  bool Finish();

  // Writes a whole file in one go.
  static bool WriteFile(const std::string& path, std::span<const std::vector<float>> channels, int rate,
                        float quality, int serial);

 private:
  void WriteHeaders();
  void Drain();
  void WritePages(bool flush);

  BinaryFile file_;
  int channels_;
  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state stream_{};
  bool ready_ = false;
};

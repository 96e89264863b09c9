#include "tools/soundgen/OggVorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

OggVorbisWriter::OggVorbisWriter(const std::string& path, int channels, int rate, float quality, int serial)
    : file_(path), channels_(channels) {
  vorbis_info_init(&info_);
  vorbis_comment_init(&comment_);
  if (vorbis_encode_init_vbr(&info_, channels, rate, quality) != 0) return;
  vorbis_analysis_init(&dsp_, &info_);
  vorbis_block_init(&dsp_, &block_);
  ogg_stream_init(&stream_, serial);
  ready_ = true;
  WriteHeaders();
}

OggVorbisWriter::~OggVorbisWriter() {
  if (ready_) {
    ogg_stream_clear(&stream_);
    vorbis_block_clear(&block_);
    vorbis_dsp_clear(&dsp_);
  }
  vorbis_comment_clear(&comment_);
  vorbis_info_clear(&info_);
}

void OggVorbisWriter::WriteHeaders() {
  ogg_packet id;
  ogg_packet comments;
  ogg_packet codebooks;
  vorbis_analysis_headerout(&dsp_, &comment_, &id, &comments, &codebooks);
  ogg_stream_packetin(&stream_, &id);
  ogg_stream_packetin(&stream_, &comments);
  ogg_stream_packetin(&stream_, &codebooks);
  WritePages(true);  // audio starts on a fresh page
}

void OggVorbisWriter::Write(std::span<const std::vector<float>> channels) {
  if (!Ok() || channels.size() != static_cast<std::size_t>(channels_)) return;
  constexpr std::size_t kChunk = 4096;
  const std::size_t frames = channels[0].size();
  for (std::size_t done = 0; done < frames; done += kChunk) {
    const std::size_t n = std::min(kChunk, frames - done);
    float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(n));
    for (int c = 0; c < channels_; ++c) {
      const std::vector<float>& src = channels[static_cast<std::size_t>(c)];
      std::copy_n(src.begin() + static_cast<std::ptrdiff_t>(done), n, buffer[c]);
    }
    vorbis_analysis_wrote(&dsp_, static_cast<int>(n));
    Drain();
  }
}

void OggVorbisWriter::Drain() {
  while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
    vorbis_analysis(&block_, nullptr);
    vorbis_bitrate_addblock(&block_);
    ogg_packet packet;
    while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
      ogg_stream_packetin(&stream_, &packet);
      WritePages(false);
    }
  }
}

void OggVorbisWriter::WritePages(bool flush) {
  ogg_page page;
  while ((flush ? ogg_stream_flush(&stream_, &page) : ogg_stream_pageout(&stream_, &page)) != 0) {
    file_.Write({page.header, static_cast<std::size_t>(page.header_len)});
    file_.Write({page.body, static_cast<std::size_t>(page.body_len)});
  }
}

bool OggVorbisWriter::Finish() {
  if (!Ok()) return false;
  vorbis_analysis_wrote(&dsp_, 0);
  Drain();
  WritePages(true);
  return file_.Close();
}

bool OggVorbisWriter::WriteFile(const std::string& path, std::span<const std::vector<float>> channels,
                                int rate, float quality, int serial) {
  OggVorbisWriter writer(path, static_cast<int>(channels.size()), rate, quality, serial);
  writer.Write(channels);
  return writer.Finish();
}

// Box resampling and mip chains of Image.h.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Image.h"

namespace platform {

namespace {

// One source texel's share of a destination texel.
struct Tap {
  int source = 0;
  std::uint64_t weight = 0;
};

// For every destination texel along one axis, the source texels its
// footprint covers and by how much. On a grid of source x destination
// units, source texel i spans [i * dst, (i + 1) * dst) and destination
// texel x spans [x * src, (x + 1) * src): the overlaps are whole numbers and
// each destination texel's weights add up to `src`.
struct AxisTaps {
  std::vector<Tap> taps;
  std::vector<std::size_t> first;  // taps of texel x: [first[x], first[x + 1])
};

AxisTaps MakeTaps(int src, int dst) {
  AxisTaps axis;
  axis.first.reserve(static_cast<std::size_t>(dst) + 1);
  const std::int64_t s = src, d = dst;
  for (std::int64_t x = 0; x < d; ++x) {
    axis.first.push_back(axis.taps.size());
    const std::int64_t lo = x * s, hi = lo + s;
    for (std::int64_t i = lo / d; i < s && i * d < hi; ++i) {
      const std::int64_t overlap = std::min((i + 1) * d, hi) - std::max(i * d, lo);
      if (overlap > 0) axis.taps.push_back({static_cast<int>(i), static_cast<std::uint64_t>(overlap)});
    }
  }
  axis.first.push_back(axis.taps.size());
  return axis;
}

// Adds source row `row`, filtered horizontally and scaled by `weight`, to
// the accumulated destination row.
void AccumulateRow(const Image& source, int row, std::uint64_t weight, const AxisTaps& across,
                   std::vector<std::uint64_t>& sums) {
  const std::uint8_t* texels = source.bgra.data() + static_cast<std::size_t>(row) * source.width * 4;
  const std::size_t width = across.first.size() - 1;
  for (std::size_t x = 0; x < width; ++x) {
    std::uint64_t channel[4] = {0, 0, 0, 0};
    for (std::size_t t = across.first[x]; t < across.first[x + 1]; ++t) {
      const std::uint8_t* texel = texels + static_cast<std::size_t>(across.taps[t].source) * 4;
      for (int c = 0; c < 4; ++c) channel[c] += texel[c] * across.taps[t].weight;
    }
    for (int c = 0; c < 4; ++c) sums[x * 4 + c] += channel[c] * weight;
  }
}

}  // namespace

Image ResampleBox(const Image& source, int width, int height) {
  Image target = MakeImage(width, height, 0);
  if (!IsValidImage(source)) return target;
  const AxisTaps across = MakeTaps(source.width, target.width);
  const AxisTaps down = MakeTaps(source.height, target.height);
  const std::uint64_t total = static_cast<std::uint64_t>(source.width) * source.height;
  const std::size_t rowValues = static_cast<std::size_t>(target.width) * 4;
  std::vector<std::uint64_t> sums(rowValues);
  for (int y = 0; y < target.height; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (std::size_t t = down.first[y]; t < down.first[y + 1]; ++t) {
      AccumulateRow(source, down.taps[t].source, down.taps[t].weight, across, sums);
    }
    std::uint8_t* out = target.bgra.data() + static_cast<std::size_t>(y) * rowValues;
    for (std::size_t i = 0; i < rowValues; ++i)
      out[i] = static_cast<std::uint8_t>((sums[i] + total / 2) / total);
  }
  return target;
}

std::vector<Image> BuildMipChain(Image top) {
  std::vector<Image> levels;
  if (!IsValidImage(top)) return levels;
  levels.push_back(std::move(top));
  while (levels.back().width > 1 || levels.back().height > 1) {
    const Image& last = levels.back();
    Image next = ResampleBox(last, std::max(1, last.width / 2), std::max(1, last.height / 2));
    levels.push_back(std::move(next));
  }
  return levels;
}

}  // namespace platform

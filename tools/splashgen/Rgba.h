// A colour of the splash generator's canvases: four floats 0 to 1, with
// straight (not premultiplied) alpha, and the few mixing helpers the
// drawings share.
#pragma once

struct Rgba {
  float r = 0, g = 0, b = 0, a = 1;

  // 0xRRGGBB as an opaque colour, or with alpha `alpha`.
  static constexpr Rgba Hex(unsigned rgb, float alpha = 1) {
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
  }
  // Colour and alpha interpolated: t = 0 gives `from`, 1 gives `to`.
  static constexpr Rgba Mix(const Rgba& from, const Rgba& to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
  }
  // The colour scaled by k, alpha kept.
  constexpr Rgba Scaled(float k) const { return {r * k, g * k, b * k, a}; }
  constexpr Rgba WithAlpha(float alpha) const { return {r, g, b, alpha}; }
};

#pragma once

namespace velnix {

// Windows lay their forms out in twips, 1440 to the inch: 15 to a pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels, to the nearest pixel, as Windows converts them at 96 dots per inch
// (MulDiv(twips, 96, 1440)).
constexpr int TwipsToPixels(int twips) {
    constexpr int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((half - twips) / kTwipsPerPixel);
}

constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace velnix

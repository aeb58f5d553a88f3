#pragma once
// Kestrel keeps window geometry in twips, 1440 to the inch; Qt lays out in
// device-independent pixels, 96 to the inch.
namespace kestrel::gui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
constexpr int twipsFromPixels(int pixels) { return pixels * kTwipsPerPixel; }

} // namespace kestrel::gui

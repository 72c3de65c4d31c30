// Window geometry is designed in twips (1/1440 inch). Fifteen twips make one device-independent
// pixel; Qt scales those pixels on high-density screens.
#pragma once

#include <QRect>
#include <QSize>

namespace quillet::qt {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
constexpr int twips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect pxRect(int left, int top, int width, int height) {
  return QRect(px(left), px(top), px(width), px(height));
}
inline QSize pxSize(int width, int height) { return QSize(px(width), px(height)); }

}  // namespace quillet::qt

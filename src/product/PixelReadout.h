#pragma once
// The status-bar read-out of the image pixel under the mouse: its position,
// where it lies on the Earth, its count and its calibrated value. Made from
// values already held in memory, so it costs nothing while the mouse moves.

#include <optional>
#include <string>

class CGeoImage;

// "像素 (x, y)", then, each only when known: "经度 97.50°E  纬度 27.50°N"
// from the product's projection (never for a full disk or a pixel outside
// the image), "计数 N" when count is given, and the calibrated value of the
// pixel: "亮温 250.3 K (-22.9 °C)" for the infrared and water-vapour
// channels, "反照率 45.2%" for the visible channel, "定标值 …" for a
// channel code the system does not know; for a grid product its element's
// exact value with its unit ("亮温 250.3 K (-22.9 °C)", "总云量 45.0 %").
// UTF-8, parts two blanks apart.
std::string PixelReadoutText(const CGeoImage& product, int x, int y, std::optional<int> count);

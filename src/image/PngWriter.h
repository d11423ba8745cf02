#pragma once
// A device picture saved as a PNG file (8-bit RGB) through libpng, through a
// replacement file: the target holds its old bytes or the whole new
// picture, never part of one.

#include <string>

#include "platform/DevicePixels.h"

bool SavePicturePng(const DevicePixels& picture, const std::string& path);

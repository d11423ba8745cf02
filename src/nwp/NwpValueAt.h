#pragma once
// An NWP overlay's value at a longitude and latitude, for the read-out under
// the mouse: bilinear between the four points of its prepared grid around
// the place, as the contours are traced from that grid.

#include <string>

class CNwpOverlay;

// False outside the grid or where one of the four points is missing.
bool NwpValueAt(const CNwpOverlay& overlay, double lon, double lat, float& value);

// "500hPa高度 5864": the field's name and the value, whole from 100 on,
// with one decimal below.
std::string NwpReadoutText(const CNwpOverlay& overlay, float value);

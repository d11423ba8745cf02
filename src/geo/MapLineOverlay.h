#pragma once
// The four map line overlays. Each draws in image pixels onto the canvas,
// sets a transparent background and restores every state it changed; none
// draws on a Disk image, which has no geolocation. The map files come from
// the data folder through the data paths' cache, which reads a file again
// whenever it has changed, and a missing file draws nothing.

#include <memory>

#include "geo/MapLineFile.h"
#include "geo/ProjectionParams.h"

class CCanvas;
class CDataPaths;

// Coastlines and national borders.
void DrawWorldMap(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths);
// The outline of China.
void DrawChinaMap(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths);
// The borders between Chinese provinces.
void DrawProvinces(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths);
void DrawRivers(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths);

enum class MapOverlay { World, China, Provinces, Rivers };

// The parsed file an overlay draws from, through the data paths' cache;
// nullptr when it is missing or cannot be read.
std::shared_ptr<const MapLines> MapOverlayLines(MapOverlay overlay, const CDataPaths& paths);

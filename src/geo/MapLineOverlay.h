#pragma once
// The four map line overlays. Each draws in image pixels onto the canvas,
// sets a transparent background and restores every state it changed; none
// draws on a Disk image, which has no geolocation. The map files come from
// the data folder through the data paths' cache, which reads a file again
// whenever it has changed, and a missing file draws nothing.

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

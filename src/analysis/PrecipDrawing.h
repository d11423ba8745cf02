#pragma once
// Drawing the precipitation estimate over the image: every rain pixel in the
// colour of its class, and the colour legend in the lower left corner.

class CCanvas;
class CPrecipEstimate;

// Draws in image pixels onto a canvas of the image's size (imageWidth ×
// imageHeight, the document's image). Draws nothing at all, legend
// included, when the estimate holds no rain pixel. Sets a transparent
// background and restores every state it changed.
void DrawPrecipitation(CCanvas& canvas, const CPrecipEstimate& estimate, int imageWidth,
                       int imageHeight);

// The two halves of it, for a picture that draws other layers between them
// (the legend goes over the map lines): the rain pixels alone, then the
// legend alone. Each draws nothing when the estimate holds no rain pixel.
void DrawPrecipitationPixels(CCanvas& canvas, const CPrecipEstimate& estimate);
void DrawPrecipitationLegend(CCanvas& canvas, const CPrecipEstimate& estimate, int imageWidth,
                             int imageHeight);

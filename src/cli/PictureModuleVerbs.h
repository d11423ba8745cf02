#pragma once
// The verbs of the picture module (kelvra-cli-pictures), the part of
// kelvra-cli that draws: into raster pictures, their text through FreeType,
// without Qt. Each takes the words kelvra-cli has already checked and
// returns the exit status.

#include "cli/CliVerbs.h"

// render's job: opens the file, composes its picture and saves it.
int RenderPicture(const CliArgs& args);
// animate's job: the frames as an animated GIF or numbered PNG files.
int AnimatePictures(const CliArgs& args);
// trend's picture: NEWER OTHER OUT, the cooling from OTHER drawn over the
// picture of NEWER and saved as OUT.
int TrendPicture(const CliArgs& args);
// thumbnail's job: IN OUT SIZE, the picture of product IN as the view first
// shows it, its longer side SIZE pixels, saved as the PNG OUT.
int ThumbnailPicture(const CliArgs& args);

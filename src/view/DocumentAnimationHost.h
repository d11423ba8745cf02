#pragma once
// The playback's hooks on the document: frames are loaded by the document's
// LoadFrames, made current by its MakeFrameCurrent and released by its
// ReleaseFrames. What the view does after a frame became current
// (compose, initial update) and how it switches its display mode are the
// view's own hooks.

#include <functional>

#include "browse/CAnimationPlayback.h"

class CKelvraDoc;

// doc must outlive the playback that uses the hooks. showCurrent runs after
// the recompose flag is set; resetDisplayMode sets the view's mode to 0.
CAnimationHost MakeDocumentAnimationHost(CKelvraDoc& doc, std::function<void()> showCurrent,
                                         std::function<void()> resetDisplayMode);

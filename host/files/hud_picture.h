// A picture of a HUD drawing: every text drawn on a recording drawing surface,
// at its pixel position and in its colour, on a dark background, as SVG.
#ifndef QUORVANE_HOST_FILES_HUD_PICTURE_H
#define QUORVANE_HOST_FILES_HUD_PICTURE_H

#include <string>

#include "api/recording_sketchpad.h"

namespace host {

std::string HudPictureSvg(const RecordingSketchpad &surface);

// A drawing colour 0xBBGGRR as the web's "#RRGGBB".
std::string WebColor(DWORD bgr);

}  // namespace host

#endif

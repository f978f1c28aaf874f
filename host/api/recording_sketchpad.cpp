#include "recording_sketchpad.h"

#include <cstring>

namespace host {

RecordingSketchpad::RecordingSketchpad(int width, int height)
    : oapi::Sketchpad(nullptr), width_(width), height_(height) {}

DWORD RecordingSketchpad::SetTextColor(DWORD col) {
    const DWORD previous = color_;
    color_ = col;
    colorChanges_.push_back(col);
    return previous;
}

bool RecordingSketchpad::Text(int x, int y, const char *str, int len) {
    if (str == nullptr || len < 0) return false;
    // Never read past the text's terminator, whatever length is claimed.
    const size_t available = strnlen(str, static_cast<size_t>(len));
    texts_.push_back({x, y, std::string(str, available), len, color_});
    return true;
}

}  // namespace host

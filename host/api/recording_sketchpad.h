// A drawing surface that records what is drawn on it: every text with its
// position and colour, and every change of the text colour. Pictures are made
// from the record.
#ifndef QUORVANE_HOST_API_RECORDING_SKETCHPAD_H
#define QUORVANE_HOST_API_RECORDING_SKETCHPAD_H

#include <string>
#include <vector>

#include "host_interface.h"

namespace host {

class RecordingSketchpad : public oapi::Sketchpad {
public:
    struct TextDraw {
        int x = 0, y = 0;   // [pixel]
        std::string text;   // the characters drawn
        int length = 0;     // as passed
        DWORD color = 0;    // 0xBBGGRR
    };

    RecordingSketchpad(int width, int height);

    DWORD SetTextColor(DWORD col) override;
    bool Text(int x, int y, const char *str, int len) override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<TextDraw> &Texts() const { return texts_; }
    const std::vector<DWORD> &ColorChanges() const { return colorChanges_; }

private:
    int width_, height_;
    DWORD color_ = 0xFFFFFF;
    std::vector<TextDraw> texts_;
    std::vector<DWORD> colorChanges_;
};

}  // namespace host

#endif

#include "hud_picture.h"

#include <algorithm>
#include <cstdio>

namespace host {

namespace {

const char kBackground[] = "#0a0f0a";  // the dark of a HUD over empty space
const int kFontPixelsAt768 = 14;        // HUD text height on a 768-pixel-high HUD [pixel]

// Text as XML character data. Bytes that XML cannot carry (control
// characters, and anything that is not plain ASCII, whose encoding the
// module does not tell) become '?', so the picture is always well formed.
std::string XmlText(const std::string &text) {
    std::string out;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += (u < 0x20 || u >= 0x7F) ? '?' : c;
        }
    }
    return out;
}

}  // namespace

std::string WebColor(DWORD bgr) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(bgr & 0xFF),
                  static_cast<unsigned>((bgr >> 8) & 0xFF), static_cast<unsigned>((bgr >> 16) & 0xFF));
    return text;
}

std::string HudPictureSvg(const RecordingSketchpad &surface) {
    const int w = surface.Width(), h = surface.Height();
    const int font = std::max(8, h * kFontPixelsAt768 / 768);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(w) + "\" height=\"" +
           std::to_string(h) + "\" viewBox=\"0 0 " + std::to_string(w) + " " + std::to_string(h) + "\">\n";
    svg += std::string("  <rect width=\"100%\" height=\"100%\" fill=\"") + kBackground + "\"/>\n";
    // Texts are drawn from their top left corner, as on the simulator's surface.
    svg += "  <g font-family=\"monospace\" font-size=\"" + std::to_string(font) +
           "\" dominant-baseline=\"text-before-edge\" xml:space=\"preserve\">\n";
    for (const RecordingSketchpad::TextDraw &t : surface.Texts()) {
        svg += "    <text x=\"" + std::to_string(t.x) + "\" y=\"" + std::to_string(t.y) + "\" fill=\"" +
               WebColor(t.color) + "\">" + XmlText(t.text) + "</text>\n";
    }
    svg += "  </g>\n</svg>\n";
    return svg;
}

}  // namespace host

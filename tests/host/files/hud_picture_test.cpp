// HUD pictures: texts where and in the colour they were drawn.
#include "files/hud_picture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

TEST(HudPicture, ColoursAreDrawnAsBlueGreenRedBytes) {
    EXPECT_EQ(host::WebColor(0x66FF66), "#66ff66");
    EXPECT_EQ(host::WebColor(0x0000FF), "#ff0000") << "the low byte is red";
    EXPECT_EQ(host::WebColor(0xFF0000), "#0000ff");
    EXPECT_EQ(host::WebColor(0x123456), "#563412");
}

TEST(HudPicture, ShowsEveryTextAtItsPixelInItsColourOnADarkBackground) {
    host::RecordingSketchpad surface(1280, 720);
    surface.SetTextColor(0x66FF66);
    surface.Text(210, 75, "Available dV 2190.19 m/s", 24);
    surface.SetTextColor(0x0000FF);
    surface.Text(5, 6, "a<b & \"c\"\x01\xe9 and more", 11);  // only the first 11 characters are drawn
    const std::string svg = host::HudPictureSvg(surface);
    EXPECT_THAT(svg, HasSubstr("width=\"1280\" height=\"720\" viewBox=\"0 0 1280 720\""));
    EXPECT_THAT(svg, HasSubstr("<rect width=\"100%\" height=\"100%\" fill=\"#0a0f0a\"/>"));
    EXPECT_THAT(svg, HasSubstr("<text x=\"210\" y=\"75\" fill=\"#66ff66\">Available dV 2190.19 m/s</text>"));
    EXPECT_THAT(svg, HasSubstr("<text x=\"5\" y=\"6\" fill=\"#ff0000\">a&lt;b &amp; &quot;c&quot;?\?</text>"));
}

}  // namespace

// The drawing surface's base: draws nothing. Hosts that draw derive from it.
#include "host_interface.h"

namespace oapi {

Sketchpad::Sketchpad(SURFHANDLE s) : surf(s) {}
Sketchpad::~Sketchpad() = default;
Font *Sketchpad::SetFont(Font *) const { return nullptr; }
Pen *Sketchpad::SetPen(Pen *) const { return nullptr; }
Brush *Sketchpad::SetBrush(Brush *) const { return nullptr; }
void Sketchpad::SetTextAlign(TAlign_horizontal, TAlign_vertical) {}
DWORD Sketchpad::SetTextColor(DWORD) { return 0; }
DWORD Sketchpad::SetBackgroundColor(DWORD) { return 0; }
void Sketchpad::SetBackgroundMode(BkgMode) {}
DWORD Sketchpad::GetCharSize() { return 0; }
DWORD Sketchpad::GetTextWidth(const char *, int) { return 0; }
void Sketchpad::SetOrigin(int, int) {}
void Sketchpad::GetOrigin(int *x, int *y) const {
    if (x != nullptr) *x = 0;
    if (y != nullptr) *y = 0;
}
bool Sketchpad::Text(int, int, const char *, int) { return false; }

}  // namespace oapi

// The drawing surface handed to HUD callbacks.
#ifndef QUORVANE_SDK_SKETCHPAD_H
#define QUORVANE_SDK_SKETCHPAD_H

#include "orbiter_types.h"

namespace oapi {

class Font;
class Pen;
class Brush;

// The slot order of the virtual table follows the simulator's SDK: the text
// colour is slot 5 and text output slot 12, counting the destructor as slot 0.
class OAPIFUNC Sketchpad {
public:
    enum TAlign_horizontal { LEFT, CENTER, RIGHT };
    enum TAlign_vertical { TOP, BASELINE, BOTTOM };
    enum BkgMode { BK_TRANSPARENT, BK_OPAQUE };

    explicit Sketchpad(SURFHANDLE s);
    virtual ~Sketchpad();
    virtual Font *SetFont(Font *font) const;
    virtual Pen *SetPen(Pen *pen) const;
    virtual Brush *SetBrush(Brush *brush) const;
    virtual void SetTextAlign(TAlign_horizontal tah = LEFT, TAlign_vertical tav = TOP);
    virtual DWORD SetTextColor(DWORD col);
    virtual DWORD SetBackgroundColor(DWORD col);
    virtual void SetBackgroundMode(BkgMode mode);
    virtual DWORD GetCharSize();
    virtual DWORD GetTextWidth(const char *str, int len = 0);
    virtual void SetOrigin(int x, int y);
    virtual void GetOrigin(int *x, int *y) const;
    virtual bool Text(int x, int y, const char *str, int len);

    SURFHANDLE GetSurface() const { return surf; }

private:
    SURFHANDLE surf;
};

}  // namespace oapi

#endif

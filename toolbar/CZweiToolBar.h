#pragma once

// The editor's toolbar: draws each button as image, 3-D border and, when
// labels are on, a text label below the image. Everything else (strips,
// back buffer, hot tracking, gripper, docking) is CZweiTool's; see there for
// how the owner creates, sizes and loads the bar.

#include "CZweiTool.h"

class CZweiToolBar : public CZweiTool {
    Q_OBJECT
public:
    using CZweiTool::CZweiTool;

protected:
    bool IsLatched() const override { return false; }
    void DrawButton(CDc& dc, const CRect& rect, int image, int look, int lastLook) override;

private:
    // Four one-pixel lines along the inside of rect: top and left in first,
    // bottom and right in second.
    static void DrawBorder(CDc& dc, const CRect& rect, COLORREF first, COLORREF second);
    void DrawLabel(CDc& dc, const CRect& rect, int image, bool checked);
};

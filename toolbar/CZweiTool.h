#pragma once

// A toolbar that draws its buttons itself. Each button has one of five looks
// (normal, hot, pressed, checked, disabled) and each look takes its image from
// its own image strip, so a button stays flat and plain until the mouse is
// over it. This base class owns the strips, the colours, the back buffer, the
// frame around the buttons, the gripper and the hot tracking; the drawing of
// one button is left to DrawButton (CZweiToolBar draws image, border and label).
//
// Use (the main frame does exactly this):
//     CZweiToolBar bar(20, 20, true);          // image size, gripper
//     bar.Create(frame);                       // child of the frame, docked at the top
//     bar.SetSizes(30, 30, 5, 0, false, nullptr, 0);
//     if (bar.LoadToolBar(146, 147, 149, 148)) // resource + hot, normal, disabled, checked strips
//         bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
// Clicking an enabled button sends its command through the frame (CFrameWnd::
// OnCommand) and emits commandTriggered. Inside a CFrameWnd the buttons'
// enabled and checked states follow the command route whenever the frame is
// idle; elsewhere the owner sets them (SetButtonState). With CBRS_TOOLTIPS the
// frame's tooltip text of the command is shown, with CBRS_FLYBY its status
// prompt while the mouse is over the button.
//
// Docking on every side and floating are QToolBar's; a bar docked left or
// right lays its buttons out vertically, a floating one horizontally.
//
// Colours are COLORREF (0x00BBGGRR). Coordinates of button rectangles are
// those of the client widget (GetClientWidget), the area the buttons fill.

#include "CDc.h"
#include "CFont.h"
#include "CImageBitmap.h"
#include "CRect.h"
#include "LOGFONT.h"
#include "WinTypes.h"

#include <QToolBar>

#include <array>
#include <memory>
#include <string>
#include <vector>

class CFrameWnd;
class CZweiToolClient;

// Control-bar styles.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0400;
constexpr DWORD CBRS_FLYBY = 0x0800;
// Button states of the toolbar control.
constexpr UINT TBSTATE_CHECKED = 0x01;
constexpr UINT TBSTATE_PRESSED = 0x02;
constexpr UINT TBSTATE_ENABLED = 0x04;
// The frame's toolbar child id.
constexpr UINT AFX_IDW_TOOLBAR = 0xE800; // 59392

class CZweiTool : public QToolBar {
    Q_OBJECT
public:
    enum Look { Normal = 1, Hot = 2, Pressed = 3, Checked = 4, Disabled = 5, NoLook = 99 };
    enum DockState {
        DockedVertically = 1,
        DockedHorizontally = 2,
        FloatingVertically = 3,
        FloatingHorizontally = 4,
    };
    static constexpr COLORREF FaceColour = 0xC0C0C0;
    static constexpr COLORREF LightColour = 0xFFFFFF;
    static constexpr COLORREF DarkColour = 0x646464;
    static constexpr COLORREF CheckedColour = 0xE0E0E0;
    // Length of a separator along the bar.
    static constexpr int SeparatorSize = 8;
    // The last-looks array: a bar with more buttons is outside the design,
    // the buttons beyond it are drawn as if for the first time.
    static constexpr int MaxLooks = 100;
    static constexpr int NoButtonWidth = 999;
    // How much further down a vertical bar's client area reaches.
    static constexpr int VerticalExtension = 20;

    // No window yet: Create makes it a child of its parent.
    CZweiTool(int imageWidth, int imageHeight, bool gripper);
    ~CZweiTool() override;

    // The framework's CToolBar::Create: a child of parent with child id id;
    // inside a QMainWindow it is put into the tool area of its alignment
    // (CBRS_ALIGN_TOP by default). False without a parent.
    bool Create(QWidget* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                UINT id = AFX_IDW_TOOLBAR);

    // Button and image geometry; labelFont is used (and required) when
    // labelsOn; label k is string firstLabelString + k.
    void SetSizes(int buttonWidth, int buttonHeight, int imageYOffset, int labelYOffset,
                  bool labelsOn, const LOGFONT* labelFont, UINT firstLabelString);
    // Loads the buttons of toolbar resource toolbarId, whose id also names the
    // hot-and-pressed strip, and the other three strips. False when the
    // toolbar resource is missing; a missing strip draws nothing.
    bool LoadToolBar(UINT toolbarId, UINT normalId, UINT disabledId, UINT checkedId);
    // Frees the last looks, the strips, the back buffer and the label font.
    void Destroy();

    DWORD GetBarStyle() const { return m_barStyle; }
    void SetBarStyle(DWORD style);
    // The sides the bar may dock on (CBRS_ALIGN_*).
    void EnableDocking(DWORD alignments);

    // Buttons, separators included, in order.
    int GetCount() const { return m_buttonCount; }
    UINT GetItemID(int index) const;
    bool IsSeparator(int index) const;
    // The first button with command id, -1 for none.
    int CommandToIndex(UINT id) const;
    CRect GetItemRect(int index) const;
    UINT GetButtonState(int index) const;
    // Sets TBSTATE_* bits and repaints the button when they changed.
    void SetButtonState(int index, UINT state);
    // Enabled and checked from the command route, as the frame's idle update does.
    void OnUpdateCmdUI(CFrameWnd* target);

    // Whether a button's command has shown a check mark: it toggles.
    bool IsCheckable(int index) const;
    // A button's tooltip (its name) and status prompt, translated; empty
    // outside a frame.
    std::u16string GetToolTip(int index) const;
    std::u16string GetPrompt(int index) const;
    // Sends the command of an enabled button, as a click on it does.
    void PressButton(int index);

    // The tool hit test: the command under point (client coordinates), -1
    // for none. Drives the hot tracking.
    int OnToolHitTest(QPoint point);

    int GetHotButton() const { return m_hotButton; }
    // The look index was last drawn with; NoLook before.
    int GetLastLook(int index) const;
    static int LookOf(UINT state, bool hot);
    int GetDockState() const { return m_dockState; }
    QWidget* GetClientWidget() const;
    // The back buffer (nullptr until the first paint), and how often one has
    // been made: it is kept between paints and made anew only on a size change.
    const CImageBitmap* GetBackBuffer() const { return m_backBitmap.get(); }
    int GetBackBufferBuilds() const { return m_backBufferBuilds; }

signals:
    void commandTriggered(UINT id);

protected:
    // After all buttons are drawn, with the back buffer.
    virtual void OnAfterPaint(CDc& dc);
    // True keeps every button painted on each paint and stops hot tracking.
    virtual bool IsLatched() const = 0;
    // The gripper of a horizontally docked bar (lines running down) and of a
    // vertically docked one (lines running across), in the toolbar's rect.
    virtual void DrawGripperVertical(CDc& dc, const CRect& window);
    virtual void DrawGripperHorizontal(CDc& dc, const CRect& window);
    virtual void DrawButton(CDc& dc, const CRect& rect, int image, int look, int lastLook) = 0;
    // At the end of loading.
    virtual void OnAfterLoad();

    enum Strip { HotStrip = 0, NormalStrip = 1, DisabledStrip = 2, CheckedStrip = 3 };
    // Copies image `image` of strip to (x, y), unchanged.
    void DrawStripImage(CDc& dc, Strip strip, int image, int x, int y) const;
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    int ImageXOffset() const { return m_imageXOffset; }
    int ImageYOffset() const { return m_imageYOffset; }
    int CentreX() const { return m_centreX; }
    int CentreY() const { return m_centreY; }
    bool LabelsOn() const { return m_labelsOn; }
    UINT FirstLabelString() const { return m_firstLabelString; }
    int LabelYOffset() const { return m_labelYOffset; }
    void SetLastButtonWidth(int width) { m_lastButtonWidth = width; }

    // The toolbar's own area around the buttons: frame and gripper.
    void paintEvent(QPaintEvent* event) override;

private:
    friend class CZweiToolClient;
    struct Button {
        UINT id = 0; // 0: separator
        UINT state = TBSTATE_ENABLED;
        CRect rect;
        bool checkable = false;
    };

    // The client widget's messages.
    void OnPaint(QPaintEvent* event);
    void OnMouseMove(QPoint point);
    void OnLeftButtonDown(QPoint point);
    void OnLeftButtonUp(QPoint point);
    bool OnToolTip(QPoint point, QPoint global);
    // The framework's part of the hit test: the button under point.
    int ButtonAt(QPoint point) const;
    void Invalidate(int index);
    // Non-client painting and background erasing of the toolbar itself.
    void OnNcPaint(CDc& dc);
    void OnEraseBkgnd(CDc& dc);
    void ComputeDockState();
    bool IsHorizontal() const;
    // The button layout (done lazily, before the next paint).
    void RecalcLayout();
    QSize ClientSize() const;
    // The four strips from their bitmaps, with ratio device pixels per pixel.
    void LoadStrips(qreal ratio);
    void ShowPrompt(int index);
    CFrameWnd* Frame() const;

    // Fields in the order of the design.
    bool m_gripper;
    std::array<std::unique_ptr<CDc>, 4> m_stripDcs;
    std::array<std::unique_ptr<CImageBitmap>, 4> m_strips;
    std::array<UINT, 4> m_stripIds{};
    qreal m_stripRatio = 1.0; // device pixels per logical pixel of the strips
    std::unique_ptr<CDc> m_backDc;
    std::unique_ptr<CImageBitmap> m_backBitmap;
    CRect m_clientRect;
    int m_hotButton = -1;
    int m_buttonCount = 0;
    int m_buttonWidth = 0;
    int m_buttonHeight = 0;
    int m_imageWidth;
    int m_imageHeight;
    int m_imageXOffset = 0;
    int m_imageYOffset = 0;
    bool m_labelsOn = false;
    std::unique_ptr<CFont> m_labelFont;
    UINT m_firstLabelString = 0;
    std::unique_ptr<std::array<int, MaxLooks>> m_lastLooks;
    int m_dockState = DockedHorizontally;
    int m_lastButtonWidth = NoButtonWidth;
    int m_labelYOffset = 0;

    // The platform's part.
    CZweiToolClient* m_client = nullptr;
    std::vector<Button> m_buttons;
    DWORD m_barStyle = CBRS_ALIGN_TOP;
    int m_centreX = 0;
    int m_centreY = 0;
    bool m_layoutPending = true;
    int m_pressedButton = -1; // the button the left button went down on
    int m_backBufferBuilds = 0;
};

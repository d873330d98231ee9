#include "CZweiTool.h"

#include "CFrameWnd.h"
#include "CResources.h"
#include "CWnd.h"
#include "CZweiToolAccessible.h"
#include "PixelArtScale.h"

#include <QHelpEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

// The area the buttons fill (the client area of the bar). Its messages go to
// the bar; it has no state of its own.
class CZweiToolClient : public QWidget {
public:
    explicit CZweiToolClient(CZweiTool* bar) : QWidget(bar), m_bar(bar)
    {
        // Every pixel comes from the back buffer: nothing is erased first.
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return m_bar->ClientSize(); }

protected:
    void paintEvent(QPaintEvent* event) override { m_bar->OnPaint(event); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        m_bar->OnMouseMove(event->position().toPoint());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_bar->OnLeftButtonDown(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_bar->OnLeftButtonUp(event->position().toPoint());
    }
    void leaveEvent(QEvent* /*event*/) override { m_bar->OnMouseMove(QPoint(-1, -1)); }
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(event);
            return m_bar->OnToolTip(help->pos(), help->globalPos());
        }
        return QWidget::event(event);
    }

private:
    CZweiTool* m_bar;
};

namespace {

Qt::ToolBarAreas AreasOf(DWORD alignments)
{
    Qt::ToolBarAreas areas;
    if (alignments & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftToolBarArea;
    if (alignments & CBRS_ALIGN_TOP)
        areas |= Qt::TopToolBarArea;
    if (alignments & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightToolBarArea;
    if (alignments & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomToolBarArea;
    return areas;
}

Qt::ToolBarArea AreaOf(DWORD style)
{
    if (style & CBRS_ALIGN_BOTTOM)
        return Qt::BottomToolBarArea;
    if (style & CBRS_ALIGN_LEFT)
        return Qt::LeftToolBarArea;
    if (style & CBRS_ALIGN_RIGHT)
        return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;
}

// Fills outer less inner with colour.
void FillAround(CDc& dc, const QRect& outer, const QRect& inner, COLORREF colour)
{
    const QRegion strips = QRegion(outer) - QRegion(inner);
    for (const QRect& r : strips)
        dc.FillSolidRect(r.x(), r.y(), r.width(), r.height(), colour);
}

} // namespace

CZweiTool::CZweiTool(int imageWidth, int imageHeight, bool gripper)
    : m_gripper(gripper),
      m_imageWidth(imageWidth),
      m_imageHeight(imageHeight),
      m_lastLooks(std::make_unique<std::array<int, MaxLooks>>())
{
    m_lastLooks->fill(NoLook);
    m_client = new CZweiToolClient(this);
    addWidget(m_client);
    CZweiToolAccessible::Follow(this);
    setMovable(true);
    setFloatable(true);
    connect(this, &QToolBar::orientationChanged, this, [this] {
        m_layoutPending = true;
        RecalcLayout();
        ComputeDockState();
        update();
    });
    connect(this, &QToolBar::topLevelChanged, this, [this](bool floating) {
        // A floating bar of dynamic size lays its buttons out in a row.
        if (floating && (m_barStyle & CBRS_SIZE_DYNAMIC))
            setOrientation(Qt::Horizontal);
        m_layoutPending = true;
        RecalcLayout();
        ComputeDockState();
        update();
    });
}

CZweiTool::~CZweiTool() { Destroy(); }

bool CZweiTool::Create(QWidget* parent, DWORD style, UINT id)
{
    if (!parent)
        return false;
    m_barStyle = (m_barStyle & ~CBRS_ALIGN_ANY) | (style & CBRS_ALIGN_ANY);
    if (auto* window = qobject_cast<QMainWindow*>(parent))
        window->addToolBar(AreaOf(style), this);
    else
        setParent(parent);
    CWnd(this).SetDlgCtrlID(int(id));
    if (auto* frame = Frame())
        connect(frame, &CFrameWnd::idleUpdateCmdUI, this, [this] {
            if (CFrameWnd* owner = Frame())
                OnUpdateCmdUI(owner);
        });
    setVisible((style & WS_VISIBLE) != 0);
    ComputeDockState();
    return true;
}

void CZweiTool::SetSizes(int buttonWidth, int buttonHeight, int imageYOffset, int labelYOffset,
                         bool labelsOn, const LOGFONT* labelFont, UINT firstLabelString)
{
    m_buttonWidth = buttonWidth;
    m_buttonHeight = buttonHeight;
    m_imageYOffset = imageYOffset;
    m_labelYOffset = labelYOffset;
    m_labelsOn = labelsOn;
    m_firstLabelString = firstLabelString;
    m_imageXOffset = (buttonWidth - m_imageWidth) / 2;
    if (labelsOn && labelFont) {
        m_labelFont = std::make_unique<CFont>();
        m_labelFont->CreateFontIndirect(*labelFont);
    }
    m_layoutPending = true;
    RecalcLayout();
}

bool CZweiTool::LoadToolBar(UINT toolbarId, UINT normalId, UINT disabledId, UINT checkedId)
{
    m_hotButton = -1;
    const res::Toolbar* resource = CResources::FindToolbar(toolbarId);
    if (!resource)
        return false;
    m_buttons.clear();
    for (std::uint32_t command : resource->commands)
        m_buttons.push_back(Button{command, TBSTATE_ENABLED, {}});
    m_buttonCount = int(m_buttons.size());
    CZweiToolAccessible::ButtonsChanged(this);
    m_layoutPending = true;
    RecalcLayout();

    m_stripIds = {toolbarId, normalId, disabledId, checkedId};
    LoadStrips(m_client->devicePixelRatioF());
    m_backDc.reset();
    m_backBitmap.reset();
    if (!m_lastLooks)
        m_lastLooks = std::make_unique<std::array<int, MaxLooks>>();
    m_lastLooks->fill(NoLook);
    OnAfterLoad();
    m_client->update();
    return true;
}

void CZweiTool::LoadStrips(qreal ratio)
{
    m_stripRatio = ratio;
    for (std::size_t i = 0; i < m_strips.size(); ++i) {
        m_stripDcs[i].reset();
        m_strips[i] = std::make_unique<CImageBitmap>();
        if (m_strips[i]->LoadBitmap(m_stripIds[i]))
            m_strips[i]->GetImage() = ScalePixelArt(m_strips[i]->GetImage(), m_imageWidth, ratio);
        m_stripDcs[i] = std::make_unique<CDc>();
        m_stripDcs[i]->SelectObject(static_cast<CBitmap*>(m_strips[i].get()));
    }
}

void CZweiTool::Destroy()
{
    m_lastLooks.reset();
    for (int i = 0; i < 4; ++i) {
        m_stripDcs[i].reset();
        m_strips[i].reset();
    }
    m_backDc.reset();
    m_backBitmap.reset();
    m_labelFont.reset();
}

void CZweiTool::SetBarStyle(DWORD style)
{
    const bool wasDynamic = m_barStyle & CBRS_SIZE_DYNAMIC;
    m_barStyle = style;
    if (!(style & CBRS_TOOLTIPS))
        QToolTip::hideText();
    if (wasDynamic != bool(style & CBRS_SIZE_DYNAMIC)) {
        ComputeDockState();
        m_layoutPending = true;
        RecalcLayout();
    }
}

void CZweiTool::EnableDocking(DWORD alignments) { setAllowedAreas(AreasOf(alignments)); }

UINT CZweiTool::GetItemID(int index) const
{
    return index >= 0 && index < m_buttonCount ? m_buttons[std::size_t(index)].id : 0;
}

bool CZweiTool::IsSeparator(int index) const
{
    return index >= 0 && index < m_buttonCount && m_buttons[std::size_t(index)].id == 0;
}

int CZweiTool::CommandToIndex(UINT id) const
{
    for (int i = 0; i < m_buttonCount; ++i)
        if (m_buttons[std::size_t(i)].id == id)
            return i;
    return -1;
}

CRect CZweiTool::GetItemRect(int index) const
{
    if (m_layoutPending)
        const_cast<CZweiTool*>(this)->RecalcLayout();
    return index >= 0 && index < m_buttonCount ? m_buttons[std::size_t(index)].rect : CRect();
}

UINT CZweiTool::GetButtonState(int index) const
{
    return index >= 0 && index < m_buttonCount ? m_buttons[std::size_t(index)].state : 0;
}

void CZweiTool::SetButtonState(int index, UINT state)
{
    if (index < 0 || index >= m_buttonCount || m_buttons[std::size_t(index)].state == state)
        return;
    const UINT changed = m_buttons[std::size_t(index)].state ^ state;
    m_buttons[std::size_t(index)].state = state;
    Invalidate(index);
    CZweiToolAccessible::ButtonStateChanged(this, index, changed);
}

bool CZweiTool::IsCheckable(int index) const
{
    return index >= 0 && index < m_buttonCount && m_buttons[std::size_t(index)].checkable;
}

std::u16string CZweiTool::GetToolTip(int index) const
{
    std::u16string text;
    if (const CFrameWnd* frame = Frame(); frame && !IsSeparator(index))
        frame->GetToolTipText(GetItemID(index), text);
    return text;
}

std::u16string CZweiTool::GetPrompt(int index) const
{
    std::u16string text;
    if (const CFrameWnd* frame = Frame(); frame && !IsSeparator(index))
        frame->GetMessageString(GetItemID(index), text);
    return text;
}

void CZweiTool::PressButton(int index)
{
    if (IsSeparator(index) || !(GetButtonState(index) & TBSTATE_ENABLED))
        return;
    const UINT id = GetItemID(index);
    emit commandTriggered(id);
    if (CFrameWnd* frame = Frame())
        frame->OnCommand(id, CommandSource::Control);
}

void CZweiTool::OnUpdateCmdUI(CFrameWnd* target)
{
    if (!target)
        return;
    for (int i = 0; i < m_buttonCount; ++i) {
        Button& button = m_buttons[std::size_t(i)];
        if (button.id == 0)
            continue;
        const CCmdUI ui = target->QueryCommandState(button.id);
        button.checkable = button.checkable || ui.CheckChanged();
        UINT state = button.state & ~(TBSTATE_ENABLED | TBSTATE_CHECKED);
        if (ui.IsEnabled())
            state |= TBSTATE_ENABLED;
        if (ui.GetCheck() != 0)
            state |= TBSTATE_CHECKED;
        SetButtonState(i, state);
    }
}

int CZweiTool::LookOf(UINT state, bool hot)
{
    const bool checked = state & TBSTATE_CHECKED;
    if (!(state & TBSTATE_ENABLED))
        return Disabled;
    if (checked && !hot)
        return Checked;
    if (state & TBSTATE_PRESSED)
        return Pressed;
    if (checked && hot)
        return Pressed;
    if (!hot)
        return Normal;
    return Hot;
}

int CZweiTool::GetLastLook(int index) const
{
    if (!m_lastLooks || index < 0 || index >= MaxLooks)
        return NoLook;
    return (*m_lastLooks)[std::size_t(index)];
}

QWidget* CZweiTool::GetClientWidget() const { return m_client; }

void CZweiTool::OnAfterPaint(CDc& /*dc*/) {}
void CZweiTool::OnAfterLoad() {}

void CZweiTool::DrawGripperVertical(CDc& dc, const CRect& w)
{
    dc.SetPenColor(CheckedColour);
    dc.MoveTo(w.left + 4, w.top + 4);
    dc.LineTo(w.left + 4, w.bottom - 5);
    dc.MoveTo(w.left + 5, w.top + 4);
    dc.LineTo(w.left + 5, w.bottom - 5);
    dc.SetPenColor(DarkColour);
    dc.MoveTo(w.left + 6, w.top + 4);
    dc.LineTo(w.left + 6, w.bottom - 4);
    dc.LineTo(w.left + 5, w.bottom - 4);
}

void CZweiTool::DrawGripperHorizontal(CDc& dc, const CRect& w)
{
    dc.SetPenColor(CheckedColour);
    dc.MoveTo(w.left + 4, w.top + 4);
    dc.LineTo(w.right - 5, w.top + 4);
    dc.MoveTo(w.left + 4, w.top + 5);
    dc.LineTo(w.right - 5, w.top + 5);
    dc.SetPenColor(DarkColour);
    dc.MoveTo(w.left + 4, w.top + 6);
    dc.LineTo(w.right - 4, w.top + 6);
    dc.LineTo(w.right - 4, w.top + 5);
}

void CZweiTool::DrawStripImage(CDc& dc, Strip strip, int image, int x, int y) const
{
    const CDc* source = m_stripDcs[strip].get();
    if (source)
        dc.BitBlt(x, y, m_imageWidth, m_imageHeight, source, m_imageWidth * image, 0, SRCCOPY);
}

bool CZweiTool::IsHorizontal() const
{
    if (isFloating() && (m_barStyle & CBRS_SIZE_DYNAMIC))
        return true;
    return orientation() == Qt::Horizontal;
}

void CZweiTool::ComputeDockState()
{
    const bool horizontal = orientation() == Qt::Horizontal;
    if (isFloating() && (m_barStyle & CBRS_SIZE_DYNAMIC))
        m_dockState = horizontal ? FloatingHorizontally : FloatingVertically;
    else
        m_dockState = horizontal ? DockedHorizontally : DockedVertically;
}

void CZweiTool::RecalcLayout()
{
    m_layoutPending = false;
    const bool horizontal = IsHorizontal();
    int position = 0;
    for (Button& button : m_buttons) {
        const int length =
            button.id == 0 ? SeparatorSize : (horizontal ? m_buttonWidth : m_buttonHeight);
        button.rect = horizontal ? CRect(position, 0, position + length, m_buttonHeight)
                                 : CRect(0, position, m_buttonWidth, position + length);
        position += length;
    }
    // The platform's buttons are as large as asked, so the images need no
    // centring beyond the image offsets.
    m_centreX = 0;
    m_centreY = 0;
    m_client->setFixedSize(ClientSize());
}

QSize CZweiTool::ClientSize() const
{
    int length = 0;
    const bool horizontal = IsHorizontal();
    for (const Button& button : m_buttons)
        length += button.id == 0 ? SeparatorSize : (horizontal ? m_buttonWidth : m_buttonHeight);
    if (horizontal)
        return {length, m_buttonHeight};
    // A bar standing on its side reaches further down than its buttons.
    return {m_buttonWidth, length + VerticalExtension};
}

void CZweiTool::OnPaint(QPaintEvent* event)
{
    if (m_layoutPending)
        RecalcLayout();
    const QSize size = m_client->size();
    if (size.isEmpty())
        return;
    // The pictures and the back buffer have as many pixels as the screen
    // (a window moved to a screen of another density draws them anew).
    const qreal ratio = m_client->devicePixelRatioF();
    if (ratio != m_stripRatio && m_strips[0])
        LoadStrips(ratio);
    if (m_clientRect.Width() != size.width() || m_clientRect.Height() != size.height() ||
        (m_backBitmap && m_backBitmap->GetImage().devicePixelRatio() != ratio)) {
        m_backDc.reset();
        m_backBitmap.reset();
        m_clientRect = CRect(0, 0, size.width(), size.height());
    }
    if (!m_backDc) {
        QImage back((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
        back.fill(Qt::black);
        back.setDevicePixelRatio(ratio);
        m_backBitmap = std::make_unique<CImageBitmap>(back);
        m_backDc = std::make_unique<CDc>();
        m_backDc->SelectObject(static_cast<CBitmap*>(m_backBitmap.get()));
        ++m_backBufferBuilds;
    }
    CDc& dc = *m_backDc;
    CRect area(event->rect());
    if (m_dockState == DockedVertically)
        area.bottom = std::min(area.bottom + VerticalExtension, m_clientRect.bottom);

    CFont* oldFont = dc.SelectObject(m_labelFont.get());
    dc.SetBkColor(FaceColour);
    dc.FillSolidRect(area, FaceColour);

    const bool horizontal = m_dockState == DockedHorizontally || m_dockState == FloatingHorizontally;
    const QRect paintArea = area.ToQRect();
    int image = 0;
    for (int i = 0; i < m_buttonCount; ++i) {
        const Button& button = m_buttons[std::size_t(i)];
        const bool separator = button.id == 0;
        const int buttonImage = image;
        if (!separator)
            ++image;
        if (!IsLatched() && !button.rect.ToQRect().intersects(paintArea))
            continue;
        const CRect& r = button.rect;
        if (!separator) {
            const int look = LookOf(button.state, i == m_hotButton);
            DrawButton(dc, r, buttonImage, look, GetLastLook(i));
            if (m_lastLooks && i < MaxLooks)
                (*m_lastLooks)[std::size_t(i)] = look;
        } else if (horizontal) {
            const int x = r.left / 2 + r.right / 2 - 1;
            dc.SetPenColor(DarkColour);
            dc.MoveTo(x, r.top + 2);
            dc.LineTo(x, r.bottom - 2);
            dc.SetPenColor(LightColour);
            dc.MoveTo(x + 1, r.top + 2);
            dc.LineTo(x + 1, r.bottom - 2);
        } else {
            const int y = r.top / 2 + r.bottom / 2 - 1;
            const int end = m_lastButtonWidth == NoButtonWidth ? r.right - 2 : m_lastButtonWidth - 4;
            dc.SetPenColor(DarkColour);
            dc.MoveTo(r.left + 2, y);
            dc.LineTo(end, y);
            dc.SetPenColor(LightColour);
            dc.MoveTo(r.left + 2, y + 1);
            dc.LineTo(end, y + 1);
        }
    }
    OnAfterPaint(dc);
    dc.SelectObject(oldFont);
    dc.Flush();

    QPainter painter(m_client);
    CDc window(painter);
    window.BitBlt(area.left, area.top, area.Width(), area.Height(), &dc, area.left, area.top,
                  SRCCOPY);
}

void CZweiTool::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    CDc dc(painter);
    OnEraseBkgnd(dc);
    OnNcPaint(dc);
}

void CZweiTool::OnNcPaint(CDc& dc)
{
    ComputeDockState();
    FillAround(dc, rect(), m_client->geometry(), FaceColour);
    if (!m_gripper)
        return;
    const CRect window(rect());
    if (m_dockState == DockedHorizontally)
        DrawGripperVertical(dc, window);
    else if (m_dockState == DockedVertically)
        DrawGripperHorizontal(dc, window);
}

void CZweiTool::OnEraseBkgnd(CDc& dc)
{
    FillAround(dc, rect().adjusted(-5, -5, 5, 5), m_client->geometry(), FaceColour);
}

int CZweiTool::ButtonAt(QPoint point) const
{
    for (int i = 0; i < m_buttonCount; ++i) {
        const Button& button = m_buttons[std::size_t(i)];
        if (button.id != 0 && button.rect.ToQRect().contains(point))
            return i;
    }
    return -1;
}

void CZweiTool::Invalidate(int index)
{
    if (index >= 0 && index < m_buttonCount)
        m_client->update(m_buttons[std::size_t(index)].rect.ToQRect());
}

int CZweiTool::OnToolHitTest(QPoint point)
{
    if (m_layoutPending)
        RecalcLayout();
    const int under = ButtonAt(point);
    const int id = under >= 0 ? int(m_buttons[std::size_t(under)].id) : -1;
    if (IsLatched())
        return id;
    const int hit = id == -1 ? -1 : CommandToIndex(UINT(id));
    if (hit != m_hotButton) {
        const auto enabled = [this](int i) { return (GetButtonState(i) & TBSTATE_ENABLED) != 0; };
        if (m_hotButton >= 0 && enabled(m_hotButton))
            Invalidate(m_hotButton);
        if (hit == -1) {
            m_hotButton = -1;
        } else {
            m_hotButton = hit;
            if (enabled(hit))
                Invalidate(hit);
        }
        ShowPrompt(hit);
    }
    return id;
}

void CZweiTool::ShowPrompt(int index)
{
    if (!(m_barStyle & CBRS_FLYBY))
        return;
    if (CFrameWnd* frame = Frame())
        frame->SetMessageText(index >= 0 ? GetItemID(index) : AFX_IDS_IDLEMESSAGE);
}

CFrameWnd* CZweiTool::Frame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CFrameWnd*>(w))
            return frame;
    return nullptr;
}

void CZweiTool::OnMouseMove(QPoint point)
{
    OnToolHitTest(point);
    if (m_pressedButton < 0)
        return;
    // The button shows pressed only while the mouse is over it.
    const UINT state = GetButtonState(m_pressedButton);
    const bool over = ButtonAt(point) == m_pressedButton;
    SetButtonState(m_pressedButton, over ? state | TBSTATE_PRESSED : state & ~TBSTATE_PRESSED);
}

void CZweiTool::OnLeftButtonDown(QPoint point)
{
    const int index = ButtonAt(point);
    if (index < 0 || !(GetButtonState(index) & TBSTATE_ENABLED))
        return;
    m_pressedButton = index;
    SetButtonState(index, GetButtonState(index) | TBSTATE_PRESSED);
}

void CZweiTool::OnLeftButtonUp(QPoint point)
{
    const int index = std::exchange(m_pressedButton, -1);
    if (index < 0)
        return;
    const UINT state = GetButtonState(index);
    SetButtonState(index, state & ~TBSTATE_PRESSED);
    if ((state & TBSTATE_PRESSED) && ButtonAt(point) == index)
        PressButton(index);
}

bool CZweiTool::OnToolTip(QPoint point, QPoint global)
{
    const int id = OnToolHitTest(point);
    std::u16string text;
    CFrameWnd* frame = Frame();
    if (!(m_barStyle & CBRS_TOOLTIPS) || id <= 0 || !frame || !frame->GetToolTipText(UINT(id), text) ||
        text.empty()) {
        QToolTip::hideText();
        return true;
    }
    const QRect r = GetItemRect(CommandToIndex(UINT(id))).ToQRect();
    QToolTip::showText(global, QString::fromStdU16String(text), m_client, r);
    return true;
}

#include "CFont.h"

#include "CDialogTemplate.h"

bool CFont::CreateFontIndirect(const LOGFONT& lf)
{
    m_logFont = lf;
    m_font = MakeQFont(lf);
    m_created = true;
    return true;
}

bool CFont::CreatePointFont(int tenthsOfPoint, const std::u16string& face)
{
    LOGFONT lf;
    lf.height = -CDialogTemplate::MulDiv(tenthsOfPoint, 96, 720);
    lf.weight = FW_NORMAL;
    lf.faceName = face;
    return CreateFontIndirect(lf);
}

void CFont::DeleteObject()
{
    m_font = QFont();
    m_logFont = LOGFONT();
    m_created = false;
}

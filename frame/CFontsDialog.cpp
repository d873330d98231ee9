#include "CFontsDialog.h"

#include "CFontDialog.h"
#include "EditorFonts.h"
#include "resource.h"

// The chooser's flags: screen fonts, with effects.
namespace {
constexpr DWORD kScreenFonts = 0x00000001;
constexpr DWORD kEffects = 0x00000100;

void ShowSample(const CWnd& sample, CFont& font, const LOGFONT& record)
{
    font.DeleteObject();
    font.CreateFontIndirect(record);
    if (!sample)
        return;
    sample->setFont(font.GetQFont());
    sample.SetWindowText(record.faceName);
}
} // namespace

CFontsDialog::CFontsDialog(QWidget* parent) : CDialog(IDD_FONTSDIALOG, parent)
{
    OnClicked(IDC_FONTS_CHANGE_FOREIGN, [this] { OnChangeForeignFont(); });
    OnClicked(IDC_FONTS_CHANGE_TEXT, [this] { OnChangeTextFont(); });
}

CFontsDialog::~CFontsDialog() = default;

bool CFontsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_foreign = ForeignFont();
    m_text = TextFont();
    RefreshSamples();
    return true;
}

void CFontsDialog::OnChangeForeignFont() { ChooseInto(m_foreign); }

void CFontsDialog::OnChangeTextFont() { ChooseInto(m_text); }

void CFontsDialog::ChooseInto(LOGFONT& record)
{
    // The chooser does not start from the current font; only its record is
    // used, a colour chosen there is not.
    CFontDialog chooser(nullptr, kScreenFonts | kEffects, this);
    if (chooser.DoModal() == IDOK)
        record = chooser.GetLogFont();
    RefreshSamples();
}

void CFontsDialog::RefreshSamples()
{
    ShowSample(GetDlgItem(IDC_FONTS_FOREIGN_SAMPLE), m_foreignSampleFont, m_foreign);
    ShowSample(GetDlgItem(IDC_FONTS_TEXT_SAMPLE), m_textSampleFont, m_text);
}

void CFontsDialog::OnOK()
{
    ForeignFont() = m_foreign;
    TextFont() = m_text;
    CDialog::OnOK();
}

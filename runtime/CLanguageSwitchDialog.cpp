#include "CLanguageSwitchDialog.h"

#include "CDc.h"
#include "CMessageBox.h"
#include "CTextNode.h"
#include "CWinApp.h"
#include "LOGFONT.h"
#include "LanguageSwitch.h"
#include "QtStrings.h"
#include "SafeFormat.h"
#include "TranslatedStrings.h"
#include "TranslationSettings.h"
#include "UiLanguage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>

namespace settings = translation_settings;

namespace {

// WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200 x 200 dialog units at (10, 10).
CDialogTemplate MakeTemplate()
{
    return CDialogTemplate(u"", 10, 10, 200, 200, 0x10C80080);
}

constexpr DWORD kListStyle = WS_CHILD | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP;

} // namespace

CLanguageSwitchDialog::CLanguageSwitchDialog(std::u16string searchFolder, bool showOlderGroup,
                                             bool showHelpButton, SwitchDialogTexts texts,
                                             QWidget* parent)
    : CDialog(MakeTemplate(), parent), m_folder(std::move(searchFolder)),
      m_showOlder(showOlderGroup), m_showHelp(showHelpButton), m_texts(std::move(texts))
{
}

CLanguageSwitchDialog::~CLanguageSwitchDialog() = default;

QFont CLanguageSwitchDialog::StockVariableFont()
{
    LOGFONT lf;
    lf.height = -11;
    lf.weight = FW_NORMAL;
    lf.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lf.faceName = u"MS Sans Serif";
    return MakeQFont(lf);
}

bool CLanguageSwitchDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateControls();
    m_files = CollectSwitchFiles(m_folder);
    FillList(*m_thisVersion, m_files.thisVersion, false);
    m_thisVersion->GetList()->show();
    if (m_olderVersion) {
        FillList(*m_olderVersion, m_files.otherVersions, true);
        m_olderVersion->GetList()->show();
    }
    return true;
}

void CLanguageSwitchDialog::CreateControls()
{
    CWnd self(this);
    self.SetWindowText(m_texts.title);
    const QFont font = StockVariableFont();
    const int h = QFontMetrics(font).height(); // the height of "Hallo"
    const int buttonHeight = int(2.0 * h);
    const CRect r = self.GetClientRect();
    const int reserved = m_showOlder ? 4 * h + 60 : 3 * h + 40;
    const int listHeight = m_showOlder ? (r.Height() - reserved) / 2 : r.Height() - reserved;

    auto make = [this, &font](res::ControlClass cls, const std::u16string& text, int id,
                              const CRect& rect, DWORD style, DWORD exStyle = 0) {
        QWidget* control = CreateControl(cls, text, id, rect, style, exStyle);
        control->setFont(font);
        return control;
    };
    auto makeList = [&](int id, int top, CLanguageList::Group group) {
        QWidget* list = make(res::ControlClass::ListView, u"", id,
                             CRect(r.left + 10, top, r.right - 10, top + listHeight), kListStyle,
                             WS_EX_CLIENTEDGE);
        auto* widget = qobject_cast<QListWidget*>(list);
        if (widget) {
            connect(widget, &QListWidget::itemSelectionChanged, this, [this, group] { OnListClick(group); });
            connect(widget, &QListWidget::itemClicked, this, [this, group] { OnListClick(group); });
            connect(widget, &QListWidget::itemDoubleClicked, this,
                    [this, group] { OnListDoubleClick(group); });
        }
        return std::make_unique<CLanguageList>(widget, group);
    };

    make(res::ControlClass::Static, m_texts.thisVersionLabel, kThisVersionLabel,
         CRect(r.left + 10, r.top + 10, r.right - 10, r.top + 10 + h), kLabelStyle);
    int y = r.top + h + 20;
    m_thisVersion = makeList(kThisVersionList, y, CLanguageList::ThisVersion);
    y += listHeight;
    if (m_showOlder) {
        make(res::ControlClass::Static, m_texts.olderVersionLabel, kOlderVersionLabel,
             CRect(r.left + 10, y + 10, r.right - 10, y + 10 + h), kLabelStyle);
        m_olderVersion = makeList(kOlderVersionList, y + h + 20, CLanguageList::OlderVersion);
        y += h + 20 + listHeight;
    }
    const int top = y + 10;
    const int w = m_showHelp ? int((r.Width() - 40) * 0.3333333333333333) : int((r.Width() - 30) * 0.5);
    make(res::ControlClass::Button, m_texts.ok, IDOK, CRect(10, top, w + 10, top + buttonHeight),
         kButtonStyle | BS_DEFPUSHBUTTON)
        ->setEnabled(false);
    make(res::ControlClass::Button, m_texts.cancel, IDCANCEL,
         CRect(w + 20, top, 2 * w + 20, top + buttonHeight), kButtonStyle);
    if (m_showHelp)
        make(res::ControlClass::Button, m_texts.help, IDHELP,
             CRect(2 * w + 30, top, 3 * w + 30, top + buttonHeight), kButtonStyle);
}

void CLanguageSwitchDialog::FillList(CLanguageList& list, const std::vector<std::u16string>& files,
                                     bool withVersion)
{
    const CDc dc(static_cast<QWidget*>(this));
    for (const std::u16string& file : files) {
        LanguageInfo info;
        ReadLanguageInfo(file, info);
        std::u16string text = info.languageName;
        if (withVersion) {
            const CFormatArg args[] = {info.languageName, m_texts.versionPrefix, info.programVersion};
            text = SafeFormat(u"%s (%s%s)", args);
        }
        const std::unique_ptr<CBitmap> flag = ReadLanguageFlag(file, dc);
        list.AddEntry(flag.get(), text);
    }
}

CLanguageList* CLanguageSwitchDialog::ListOf(CLanguageList::Group group) const
{
    return group == CLanguageList::ThisVersion ? m_thisVersion.get() : m_olderVersion.get();
}

void CLanguageSwitchDialog::OnListClick(CLanguageList::Group group)
{
    const CLanguageList* list = ListOf(group);
    if (list && list->GetSelectedCount() == 1)
        m_state = group == CLanguageList::ThisVersion ? ThisVersionChosen : OlderVersionChosen;
    else
        m_state = NothingChosen;
    GetDlgItem(IDOK).EnableWindow(m_state != NothingChosen);
}

void CLanguageSwitchDialog::OnListDoubleClick(CLanguageList::Group group)
{
    const CLanguageList* list = ListOf(group);
    if (!list || list->GetSelectedCount() != 1)
        return;
    OnListClick(group);
    OnOK();
}

void CLanguageSwitchDialog::OnOK()
{
    if (m_state == NothingChosen)
        return;
    const bool older = m_state == OlderVersionChosen;
    const CLanguageList* list = older ? m_olderVersion.get() : m_thisVersion.get();
    const std::vector<std::u16string>& files = older ? m_files.otherVersions : m_files.thisVersion;
    const int index = list ? list->GetFirstSelected() : -1;
    // The selection can be gone (taken away by keyboard): nothing to switch to yet.
    if (index < 0 || size_t(index) >= files.size())
        return;
    const std::u16string file = files[size_t(index)];
    if (older)
        AfxMessageBox(m_texts.warning, MB_OK);
    // The dialog is told to end first; its window stays until the switch is
    // over, and is re-translated with the rest.
    CDialog::OnOK();
    if (!SwitchTranslationFile(file))
        AfxMessageBox(m_texts.error, MB_OK);
}

void DoSwitchDialog(const std::u16string& searchFolder, bool showOlderGroup, bool showHelpButton,
                    const SwitchDialogTexts& texts)
{
    QWidget* parent = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    if (!parent)
        parent = QApplication::activeWindow();
    CLanguageSwitchDialog dialog(searchFolder, showOlderGroup, showHelpButton, texts, parent);
    dialog.DoModal();
}

void DoSwitchDialog(const std::u16string& searchFolder, bool showOlderGroup, bool showHelpButton,
                    const std::array<UINT, 9>& textIds)
{
    std::array<std::u16string, 9> loaded;
    for (size_t i = 0; i < textIds.size(); ++i)
        LoadTranslatedString(loaded[i], textIds[i]);
    DoSwitchDialog(searchFolder, showOlderGroup, showHelpButton,
                   SwitchDialogTexts{loaded[0], loaded[1], loaded[2], loaded[3], loaded[4], loaded[5],
                                     loaded[6], loaded[7], loaded[8]});
}

void ShowAutomaticSwitchDialog()
{
    const CTextNode* entry = FindSwitchEntry();
    if (!entry) {
        const CFormatArg args[] = {GetCurrentTranslationFileName()};
        AfxMessageBox(SafeFormat(settings::kNoSwitchEntryMessage, args), MB_OK);
        return;
    }
    // A file may hold fewer children than the entry should have: the missing texts stay empty.
    auto child = [entry](std::int32_t i) {
        const CTextNode* node = i < entry->ChildCount() ? entry->GetChild(i) : nullptr;
        return node ? node->translatedText : std::u16string();
    };
    DoSwitchDialog(std::u16string(settings::kSearchFolder), settings::kShowOlderGroup,
                   settings::kShowHelpButton,
                   SwitchDialogTexts{entry->translatedText, child(1), child(2), child(3), child(4),
                                     child(5), child(6), child(7), child(8)});
}

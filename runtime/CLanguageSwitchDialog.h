#pragma once

// The language switch dialog: lists the language files of the running program
// found in a folder, the current version's above, other versions' below, each
// with its flag and name, and switches to the one chosen. It has no template
// of its own: the controls are laid out in code from the font's text height,
// so any program carrying the run-time layer can show it.

#include "CDialog.h"
#include "CLanguageList.h"
#include "SwitchFileCollection.h"

#include <array>
#include <memory>
#include <string>

class QFont;

// The dialog's nine texts, in the order the switch entry holds them.
struct SwitchDialogTexts {
    std::u16string title;
    std::u16string thisVersionLabel;
    std::u16string olderVersionLabel;
    std::u16string ok;
    std::u16string cancel;
    std::u16string help;
    std::u16string versionPrefix; // "Ver.": older entries read "English (Ver.2.01)"
    std::u16string warning;       // an older version was chosen
    std::u16string error;         // the switch failed
};

class CLanguageSwitchDialog : public CDialog {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int kThisVersionLabel = 125;
    static constexpr int kOlderVersionLabel = 126;
    static constexpr int kThisVersionList = 1234;
    static constexpr int kOlderVersionList = 1223;

    enum SwitchState { NothingChosen = 1, ThisVersionChosen = 2, OlderVersionChosen = 3 };

    CLanguageSwitchDialog(std::u16string searchFolder, bool showOlderGroup, bool showHelpButton,
                          SwitchDialogTexts texts, QWidget* parent = nullptr);
    ~CLanguageSwitchDialog() override;

    const SwitchFileGroups& GetFiles() const { return m_files; }
    SwitchState GetSwitchState() const { return m_state; }
    CLanguageList* GetThisVersionList() const { return m_thisVersion.get(); }
    CLanguageList* GetOlderVersionList() const { return m_olderVersion.get(); }

    // A click (or keyboard selection) in one list, and a double click.
    void OnListClick(CLanguageList::Group group);
    void OnListDoubleClick(CLanguageList::Group group);
    // Ends the dialog and switches to the chosen file; warns first when it
    // is of another version, and says so when the switch fails.
    void OnOK() override;

    // The stock variable-pitch font every control uses.
    static QFont StockVariableFont();

protected:
    bool OnInitDialog() override;

private:
    void CreateControls();
    void FillList(CLanguageList& list, const std::vector<std::u16string>& files, bool withVersion);
    CLanguageList* ListOf(CLanguageList::Group group) const;

    std::u16string m_folder;
    bool m_showOlder;
    bool m_showHelp;
    SwitchDialogTexts m_texts;
    SwitchFileGroups m_files;
    SwitchState m_state = NothingChosen;
    std::unique_ptr<CLanguageList> m_thisVersion;
    std::unique_ptr<CLanguageList> m_olderVersion;
};

// Shows the dialog modally with the texts given.
void DoSwitchDialog(const std::u16string& searchFolder, bool showOlderGroup, bool showHelpButton,
                    const SwitchDialogTexts& texts);
// The same with each text loaded from the program's string table and translated.
void DoSwitchDialog(const std::u16string& searchFolder, bool showOlderGroup, bool showHelpButton,
                    const std::array<UINT, 9>& textIds);
// The dialog with the texts of the current translation's switch entry, or a
// fixed English message when the file has no such entry.
void ShowAutomaticSwitchDialog();

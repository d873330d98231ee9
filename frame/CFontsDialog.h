#pragma once

// The fonts dialog (template 161): both program fonts, each changed with the
// platform's font chooser on a working copy; OK makes the copies the
// program's fonts, Abbrechen drops them.

#include "CDialog.h"
#include "CFont.h"
#include "LOGFONT.h"

class CFontsDialog : public CDialog {
    Q_OBJECT
public:
    explicit CFontsDialog(QWidget* parent = nullptr);
    ~CFontsDialog() override;

    const LOGFONT& GetForeignWorkingCopy() const { return m_foreign; }
    const LOGFONT& GetTextWorkingCopy() const { return m_text; }

    // The two "Ändern..." buttons.
    void OnChangeForeignFont();
    void OnChangeTextFont();

    void OnOK() override;

protected:
    bool OnInitDialog() override;

private:
    // Lets the user pick a font into record; the record stays on cancel.
    void ChooseInto(LOGFONT& record);
    // Each sample shows its face name in its font.
    void RefreshSamples();

    LOGFONT m_foreign;
    LOGFONT m_text;
    CFont m_foreignSampleFont;
    CFont m_textSampleFont;
};

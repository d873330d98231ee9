#pragma once

// The about box (template 100): the program's name and picture, the version
// in control 1017 and the maker's lines. Modal; OK closes it.

#include "CDialog.h"

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    // The version's numbers: major, minor, and the two-digit patch level.
    static constexpr int kVersion[3] = {2, 0, 2};

    explicit CAboutDlg(QWidget* parent = nullptr);

    // String 200, loaded through the translation, filled with the version's numbers.
    static std::u16string VersionText();

protected:
    bool OnInitDialog() override;
};

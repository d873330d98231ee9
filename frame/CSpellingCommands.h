#pragma once

// The dictionary of the open file, in the flag menu's submenu "Rechtschreibung":
// "Keine Rechtschreibprüfung" and one item per installed dictionary, the one
// in use checked. A file whose language no dictionary fits is said to go
// without spelling once, in the status line.

#include "CCmdTarget.h"

#include <QObject>

#include <string>
#include <vector>

class CMainFrame;

class CSpellingCommands : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    // Owned by the frame, for the frame's document.
    explicit CSpellingCommands(CMainFrame& frame);

private:
    void Choose(const std::string& code);
    void UpdateItem(CCmdUI& ui, int index) const;

    CMainFrame& m_frame;
    std::vector<std::string> m_installed; // as the machine had them at start
};

#pragma once

// The translation memory in the editor: the File menu's Translation memory
// commands (import, export, remove the entries of this file or program),
// Edit > Fill from memory as one undoable step, the feeding of the memory as
// texts are marked done and saved, and the file's progress ("1,234 of 5,678
// done") in the status bar. Owned by the frame.

#include "CCmdTarget.h"

#include <QObject>

#include <memory>
#include <string>

namespace memory {
class CTranslationMemory;
}
class CMainFrame;
class CMemoryFeeder;
class CProgressCount;
class CTransDoc;
class QLabel;

class CMemoryController : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    explicit CMemoryController(CMainFrame& frame);
    ~CMemoryController() override;

    // Fills every text still to be edited that the memory knows exactly; the
    // number filled (-1: the memory or the language code was missing, and the
    // user was told).
    int FillFromMemory();
    void Import();
    void Export();
    void RemoveEntries(bool ofProgram);

    CMemoryFeeder& GetFeeder() const { return *m_feeder; }
    // The status bar's progress text, in the user-interface language's digits.
    std::u16string ProgressText() const;

private:
    CTransDoc& Doc() const;
    bool HasLanguage() const;
    // The memory opened for a command; null after telling the user why.
    std::unique_ptr<memory::CTranslationMemory> OpenMemory() const;
    void ShowError(unsigned formatId, const std::u16string& detail) const;
    void ShowProgress();

    CMainFrame& m_frame;
    CMemoryFeeder* m_feeder; // children of this
    CProgressCount* m_progress;
    QLabel* m_progressPane;
};

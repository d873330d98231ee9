#pragma once

// What the document tests share: a script that answers the message boxes,
// file dialogs and the flag dialog in order and records what was asked; a
// view that records the update hints; language files on disk.

#include "CDc.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "CFlagDialog.h"
#include "CFontsDialog.h"
#include "CMessageBox.h"
#include "CTextNode.h"
#include "CTransDoc.h"
#include "CView.h"
#include "LanguageFileIO.h"

#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Answers, in order, every modal dialog the document opens. A message box
// without a queued answer fails the test unless it only has an OK button.
class DialogScript {
public:
    DialogScript()
    {
        m_oldModal = CDialog::SetModalResponder([this](CDialog& dialog) { return Modal(dialog); });
        m_oldFile = CFileDialog::SetResponder([this](CFileDialog& dialog) { return File(dialog); });
    }
    ~DialogScript()
    {
        CDialog::SetModalResponder(m_oldModal);
        CFileDialog::SetResponder(m_oldFile);
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    std::deque<int> boxAnswers;          // IDYES, IDNO, IDCANCEL, ...
    std::deque<std::u16string> paths;    // an empty path cancels the file dialog
    std::deque<int> flagChoices;         // an image index, or -1 for Abbrechen
    std::deque<int> fontsAnswers;        // IDOK or IDCANCEL for the fonts dialog

    std::vector<std::u16string> messages;   // texts of the message boxes shown
    std::vector<std::u16string> fileTitles; // titles of the file dialogs shown
    std::vector<std::u16string> filters;
    int flagDialogs = 0;

private:
    int Modal(CDialog& dialog)
    {
        if (auto* box = dynamic_cast<CMessageBox*>(&dialog)) {
            messages.push_back(box->GetText());
            if (!boxAnswers.empty()) {
                const int answer = boxAnswers.front();
                boxAnswers.pop_front();
                return answer;
            }
            if ((box->GetType() & MB_TYPEMASK) != MB_OK)
                ADD_FAILURE() << "unexpected question";
            return IDOK;
        }
        if (auto* flags = dynamic_cast<CFlagDialog*>(&dialog)) {
            ++flagDialogs;
            const int choice = flagChoices.empty() ? -1 : flagChoices.front();
            if (!flagChoices.empty())
                flagChoices.pop_front();
            if (choice < 0)
                return IDCANCEL;
            flags->GetList()->item(choice)->setSelected(true);
            flags->OnOK();
            return IDOK;
        }
        if (auto* fonts = dynamic_cast<CFontsDialog*>(&dialog); fonts && !fontsAnswers.empty()) {
            const int answer = fontsAnswers.front();
            fontsAnswers.pop_front();
            if (answer == IDOK)
                fonts->OnOK();
            return answer;
        }
        ADD_FAILURE() << "unexpected dialog " << dialog.GetTemplateId();
        return IDCANCEL;
    }

    int File(CFileDialog& dialog)
    {
        fileTitles.push_back(dialog.GetTitle());
        filters.push_back(dialog.GetFilter());
        if (paths.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return IDCANCEL;
        }
        const std::u16string path = paths.front();
        paths.pop_front();
        if (path.empty())
            return IDCANCEL;
        dialog.SetPathName(path);
        return IDOK;
    }

    CDialog::ModalResponder m_oldModal;
    CFileDialog::Responder m_oldFile;
};

// Records the hints; answers hint 3 as the head view does.
class RecordingView : public CView {
public:
    std::vector<std::intptr_t> hints;

    void OnUpdate(CView* /*sender*/, std::intptr_t hint) override
    {
        hints.push_back(hint);
        if (hint == CTransDoc::kHintApplyFlag) {
            CDc dc;
            static_cast<CTransDoc*>(GetDocument())->ApplyFlag(dc);
        }
    }
};

inline std::u16string U16(const QString& text) { return text.toStdU16String(); }

inline std::string Bytes(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const CLanguageFile& language, const QString& path)
{
    ASSERT_FALSE(WriteLanguageFile(language, path.toStdString()));
}

// Same shape and the same texts, kinds, sizes and states everywhere.
inline bool SameTree(const CTextNode& a, const CTextNode& b)
{
    if (a.originalText != b.originalText || a.translatedText != b.translatedText ||
        a.kindCode != b.kindCode || a.width != b.width || a.height != b.height ||
        a.editState != b.editState || a.ChildCount() != b.ChildCount())
        return false;
    for (int i = 0; i < a.ChildCount(); ++i)
        if (!SameTree(*a.GetChild(i), *b.GetChild(i)))
            return false;
    return true;
}

// Same shape and the same original texts (the foreign overlay's promise).
inline bool SameShape(const CTextNode& a, const CTextNode& b)
{
    if (a.originalText != b.originalText || a.ChildCount() != b.ChildCount())
        return false;
    for (int i = 0; i < a.ChildCount(); ++i)
        if (!SameShape(*a.GetChild(i), *b.GetChild(i)))
            return false;
    return true;
}

template <class Visit>
void ForEachNode(const CTextNode& node, Visit&& visit)
{
    visit(node);
    for (int i = 0; i < node.ChildCount(); ++i)
        ForEachNode(*node.GetChild(i), visit);
}

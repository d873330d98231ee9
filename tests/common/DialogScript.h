#pragma once

// A script that answers, in order, every modal dialog a test brings up (the
// message boxes, the file dialogs, the flag and the fonts dialog) and records
// what was asked.

#include "CDialog.h"
#include "CFileDialog.h"
#include "CFlagDialog.h"
#include "CFontsDialog.h"
#include "CMessageBox.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

// A message box without a queued answer fails the test unless it only has
// an OK button.
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

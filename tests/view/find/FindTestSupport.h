#pragma once

// What the find and replace tests share: a view over a document (the tree
// view harness), an owner window standing in for the main frame that passes
// the dialog's registered message to the view, and message boxes answered
// and recorded instead of shown.

#include "TreeViewTestSupport.h"

#include "CFindReplaceDialog.h"
#include "CMessageBox.h"
#include "CWinApp.h"
#include "resource.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <initializer_list>

// Rows 0 Dialoge, 1 Menus, 2 Stringtables, then one row per text below
// "Stringtables", each to be edited; kinds[i] (default 99, free size) and
// widths give size-limited texts.
inline std::unique_ptr<CLanguageFile> TextsLanguage(std::initializer_list<std::u16string> texts,
                                                    std::vector<int> kinds = {},
                                                    bool original = false)
{
    auto root = std::make_unique<CTextNode>(nullptr);
    AddNode(root.get(), u"Dialoge", 1);
    AddNode(root.get(), u"Menus", 8);
    CTextNode* strings = AddNode(root.get(), u"Stringtables", 11);
    std::size_t i = 0;
    for (const auto& text : texts) {
        const int kind = i < kinds.size() ? kinds[i] : 99;
        CTextNode* node = AddNode(strings, text, kind, 3);
        if (!CTextRow::FreeSizeOf(kind))
            node->width = 40;
        ++i;
    }
    return EnglishTestLanguage(std::move(root), original);
}

class FindHarness {
public:
    explicit FindHarness(const CLanguageFile& language, QSize size = {600, 400})
        : h(language, size)
    {
        app.m_pMainWnd = &frame;
        SetMessageHandler(&frame, CFindReplaceDialog::GetFindReplaceMessage(),
                          [this](WPARAM w, LPARAM l) { return h.view.OnFindReplace(w, l); });
        m_oldResponder = CDialog::SetModalResponder([this](CDialog& dialog) {
            if (auto* box = dynamic_cast<CMessageBox*>(&dialog))
                messages.push_back(box->GetText());
            return answer;
        });
        h.doc.SetTitleListener([this](const std::u16string&) { ++titleChanges; });
    }
    ~FindHarness()
    {
        if (CFindReplaceDialog* dialog = h.view.GetFindDialog())
            dialog->OnCancel();
        CDialog::SetModalResponder(m_oldResponder);
    }
    FindHarness(const FindHarness&) = delete;
    FindHarness& operator=(const FindHarness&) = delete;

    // Opens the find (or replace) dialog and fills it in as a user would.
    CFindReplaceDialog* Open(bool replace, const std::u16string& find,
                             const std::u16string& replaceWith = {}, bool matchCase = false,
                             bool wholeWord = false)
    {
        replace ? h.view.OnEditReplace() : h.view.OnEditFind();
        CFindReplaceDialog* dialog = h.view.GetFindDialog();
        if (!dialog)
            return nullptr;
        Edit(dialog, CFindReplaceDialog::kFindWhat)->setText(QString::fromStdU16String(find));
        if (QLineEdit* with = Edit(dialog, CFindReplaceDialog::kReplaceWith))
            with->setText(QString::fromStdU16String(replaceWith));
        Button(dialog, CFindReplaceDialog::kMatchCase)->setChecked(matchCase);
        Button(dialog, CFindReplaceDialog::kWholeWord)->setChecked(wholeWord);
        return dialog;
    }
    static QLineEdit* Edit(CDialog* dialog, int id)
    {
        return qobject_cast<QLineEdit*>(dialog->GetDlgItem(id).GetWidget());
    }
    static QAbstractButton* Button(CDialog* dialog, int id)
    {
        return qobject_cast<QAbstractButton*>(dialog->GetDlgItem(id).GetWidget());
    }

    // The editor's selection and the text of the piece it is open on.
    std::pair<int, int> Selection()
    {
        int start = 0;
        int end = 0;
        h.view.GetEditor()->GetSel(start, end);
        return {start, end};
    }
    std::u16string EditedText() const
    {
        const CTextPiece* piece = h.view.GetEditor()->GetPiece();
        return piece ? piece->text : u"(none)";
    }
    // A row's text in the document.
    std::u16string NodeText(int row)
    {
        return h.Row(row).node->translatedText;
    }

    CWinApp app;
    QWidget frame;
    ViewHarness h;
    std::vector<std::u16string> messages;
    int answer = IDOK;
    int titleChanges = 0;

private:
    CDialog::ModalResponder m_oldResponder;
};

inline const std::u16string kNotFound = u"Der Text wurde nicht in dem Dokument gefunden.";
inline const std::u16string kTooLong =
    u"Der Text, in dem die Ersetzung durchgeführt werden sollte, hat eine beschränkte Länge.\n"
    u"Die Ersetzung kann nicht durchgeführt werden.";

#pragma once

// What the tree view tests share: a small hand-made language whose rows are
// easy to reason about, a generated one of any size, and a shown view over a
// document that opened the language from disk.

#include "CInPlaceEdit.h"
#include "CLanguageFile.h"
#include "CMyEditView.h"
#include "CStatusBar.h"
#include "CTextNode.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "DialogScript.h"
#include "DocumentAndView.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"
#include "TestTree.h"

#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

// A text the same in both languages, 200 dialog units wide.
inline CTextNode* AddNode(CTextNode* parent, const std::u16string& text, int kind,
                          std::uint32_t state = 0)
{
    return test_tree::Add(parent, text, text, kind, 200, state);
}

// The test program's English language file over root, its states brought up to date.
inline std::unique_ptr<CLanguageFile> EnglishTestLanguage(std::unique_ptr<CTextNode> root,
                                                          bool original = false)
{
    root->UpdateStates();
    auto language = std::make_unique<CLanguageFile>(std::move(root));
    language->SetProgramName(u"Kestrow Kassenbuch");
    language->SetProgramVersion(u"3.10");
    language->SetLanguageName(u"English");
    language->SetOriginal(original);
    return language;
}

// Rows in order:
//  0 Dialoge              4 Menus             8 Stringtables
//  1   Datei öffnen       5   Datei           9   %d Texte
//  2     &OK              6     Ö&ffnen...    10  Hallo %s!
//  3     Zwei\nZeilen     7     S&peichern    11  %d%
// suffix is appended to every translated text below the top nodes.
inline std::unique_ptr<CLanguageFile> SmallLanguage(const std::u16string& suffix = u"")
{
    auto root = std::make_unique<CTextNode>(nullptr);
    const auto add = [&](CTextNode* parent, const std::u16string& text, int kind, std::uint32_t state = 0) {
        return test_tree::Add(parent, text, text + suffix, kind, 200, state);
    };
    CTextNode* open = add(AddNode(root.get(), u"Dialoge", 1), u"Datei öffnen", 1);
    add(open, u"&OK", 23);
    add(open, u"Zwei\nZeilen", 6, 3);
    CTextNode* file = add(AddNode(root.get(), u"Menus", 8), u"Datei", 9);
    add(file, u"Ö&ffnen...", 3);
    add(file, u"S&peichern", 3);
    CTextNode* strings = AddNode(root.get(), u"Stringtables", 11);
    for (const char16_t* text : {u"%d Texte", u"Hallo %s!", u"%d%"})
        add(strings, text, 99);
    return EnglishTestLanguage(std::move(root));
}

// A shown view over a document that opened `language` from a file, with a
// status bar of the message and position panes.
class ViewHarness : private DocumentAndView<CMyEditView> {
public:
    using DocumentAndView::path;
    explicit ViewHarness(const CLanguageFile& language, QSize size = {600, 400})
        : doc(DocumentAndView::doc), view(Opened(language, size))
    {
        const std::array<UINT, 2> panes{0, 61460};
        status.SetIndicators(panes);
        view.SetStatusBar(&status);
        view.WritePositionPane();
    }

    // Shows other as the foreign language (the document asks for a file).
    void ShowForeign(const CLanguageFile& other)
    {
        const QString foreign = dir.filePath(QStringLiteral("foreign.tra"));
        EXPECT_FALSE(WriteLanguageFile(other, foreign.toStdString()));
        DialogScript script;
        script.paths = {foreign.toStdU16String()};
        doc.ShowForeign();
    }

    std::u16string Pane() const { return status.GetPaneText(1); }
    CTextRow& Row(int i) { return *view.GetRow(i); }
    // Window point of a row's translated piece, (dx, dy) into it.
    QPoint PiecePoint(int row, int piece, int dx = 2, int dy = 2)
    {
        CTextRow& r = Row(row);
        const CRect& rect = r.translatedPieces[std::size_t(piece)]->rect;
        return {view.RowDocumentX(row) - view.GetHorizontalScroll() + rect.left + dx,
                view.RowDocumentY(row) - view.GetVerticalScroll() + rect.top + dy};
    }
    QPoint BoxPoint(int row)
    {
        CTextRow& r = Row(row);
        return {view.RowDocumentX(row) - view.GetHorizontalScroll() + r.boxRect.left + 4,
                view.RowDocumentY(row) - view.GetVerticalScroll() + r.boxRect.top + 4};
    }
    void Click(QPoint at) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at); }

    CTransDoc& doc;
    CMyEditView& view;
    CStatusBar status;

private:
    CMyEditView& Opened(const CLanguageFile& language, QSize size)
    {
        Open(language, size, QStringLiteral("lang.tra"));
        if (!DocumentAndView::view) // the failure is reported; the test goes on with an empty view
            DocumentAndView::view = std::make_unique<CMyEditView>();
        return *DocumentAndView::view;
    }
};

#pragma once

// What the document tests share: a listener that records the document's
// changes; language files on disk; the dialog script.

#include "CTextNode.h"
#include "CTransDoc.h"
#include "CView.h"
#include "DialogScript.h"
#include "DocumentDialogs.h"
#include "Golden.h"
#include "LanguageFileIO.h"
#include "ModelTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <string>
#include <vector>

// A view of the document that records what each change touched (the
// title's changes left out).
class RecordingView : public CView {
public:
    std::vector<unsigned> changes;

    void Listen(CTransDoc& doc)
    {
        doc.AddView(this);
        QObject::connect(&doc, &CTransDoc::Changed, [this](const CDocChange& change) {
            if (change.what != CDocChange::Title)
                changes.push_back(change.what);
        });
    }
    void OnUpdate(CView* /*sender*/, std::intptr_t /*hint*/) override {}
};

inline std::u16string U16(const QString& text) { return text.toStdU16String(); }

inline std::string FileBytes(const QString& path) { return golden::Read(path.toStdString()); }

inline void WriteFile(const CLanguageFile& language, const QString& path)
{
    ASSERT_FALSE(WriteLanguageFile(language, path.toStdString()));
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

#include "SampleLanguage.h"

// The document against real files in a temporary folder; every hint
// recorded, every dialog answered by the script.
class TransDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        view.Listen(doc);
        InstallDocumentDialogs(doc);
        doc.SetStartupFileSource(&startupFile);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // A translation (or an original-language file) of the sample program on disk.
    QString MakeFile(const QString& name, int texts = 300, bool original = false,
                     unsigned seed = 7)
    {
        SampleOptions options;
        options.original = original;
        auto language = MakeSampleLanguage(texts, seed, options);
        WriteFile(*language, Path(name));
        return Path(name);
    }

    void Open(const QString& path)
    {
        startupFile = U16(path);
        ASSERT_TRUE(doc.OpenLanguage());
        view.changes.clear();
    }

    // The file opened in a second document, as the next session would open it.
    CTransDoc& Reopen(const QString& path)
    {
        Reopened& again = reopened.emplace_back();
        again.file = U16(path);
        again.doc.SetStartupFileSource(&again.file);
        EXPECT_TRUE(again.doc.OpenLanguage()) << path.toStdString();
        return again.doc;
    }

    bool Enabled(UINT id)
    {
        CCmdUI ui(id);
        return doc.UpdateCommandUI(ui);
    }

    // Everything a failed command must leave as it was: the same objects
    // with the same contents (a command could change a tree in place).
    struct Snapshot {
        CLanguageFile* language;
        CLanguageFile* foreign;
        Bytes languageBytes, foreignBytes;
        std::u16string path, title;
        bool modified;
    };
    Snapshot Take() const
    {
        return {doc.GetLanguage(),
                doc.GetForeignLanguage(),
                doc.GetLanguage() ? StoreToBytes(*doc.GetLanguage()) : Bytes(),
                doc.GetForeignLanguage() ? StoreToBytes(*doc.GetForeignLanguage()) : Bytes(),
                doc.GetPathName(),
                doc.GetTitle(),
                doc.IsLanguageModified()};
    }
    void ExpectUnchanged(const Snapshot& before) const
    {
        EXPECT_EQ(doc.GetLanguage(), before.language);
        EXPECT_EQ(doc.GetForeignLanguage(), before.foreign);
        if (before.language) {
            EXPECT_TRUE(StoreToBytes(*doc.GetLanguage()) == before.languageBytes);
        }
        if (before.foreign) {
            EXPECT_TRUE(StoreToBytes(*doc.GetForeignLanguage()) == before.foreignBytes);
        }
        EXPECT_EQ(doc.GetPathName(), before.path);
        EXPECT_EQ(doc.GetTitle(), before.title);
        EXPECT_EQ(doc.IsLanguageModified(), before.modified);
    }

    QTemporaryDir dir;
    DialogScript script;
    CTransDoc doc;
    RecordingView view;
    std::u16string startupFile;
    struct Reopened {
        std::u16string file;
        CTransDoc doc;
    };
    std::list<Reopened> reopened;
};


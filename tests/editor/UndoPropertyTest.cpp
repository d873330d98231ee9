// Random sequences of every kind of change, with undo and redo interleaved:
// undoing everything gives back the bytes the file had, redoing everything
// the bytes of the last state, whatever came in between.
#include "DocumentTestSupport.h"

#include <random>

namespace {

using Kind = CTransDoc::TextEditKind;

class UndoPropertyTest : public TransDocTest {
protected:
    std::string Saved(const char* name)
    {
        WriteFile(*doc.GetLanguage(), Path(name));
        return FileBytes(Path(name));
    }

    CTextNode* AnyNode()
    {
        return nodes[std::uniform_int_distribution<std::size_t>(0, nodes.size() - 1)(random)];
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // A text as one of the edits would leave it.
    std::u16string Edited(std::u16string text, Kind kind)
    {
        const std::size_t at = text.empty() ? 0 : std::size_t(Pick(int(text.size()) + 1));
        switch (kind) {
        case Kind::Typing:
            if (!text.empty() && Pick(3) == 0)
                text.erase(std::min(at, text.size() - 1), 1);
            else
                text.insert(at, 1, char16_t(u'a' + Pick(26)));
            break;
        case Kind::NewLine: text.insert(at, 1, u'\n'); break;
        case Kind::JoinLines:
            if (const auto lf = text.find(u'\n'); lf != std::u16string::npos)
                text.erase(lf, 1);
            break;
        case Kind::Paste: text.insert(at, u"Eingefügt %d\r\nZeile ✓"); break;
        case Kind::Replace:
        case Kind::Suggestion:
        case Kind::FuzzySuggestion: text = u"Ersetzt"; break;
        }
        return text;
    }

    void OneChange()
    {
        switch (Pick(10)) {
        case 0: {
            std::vector<CTransDoc::TextEdit> edits;
            for (int i = 1 + Pick(40); i > 0; --i) {
                CTextNode* node = AnyNode();
                edits.push_back({node, Edited(std::u16string(node->translatedText), Kind::Replace)});
            }
            doc.ReplaceTexts(std::move(edits));
            break;
        }
        case 1: doc.MarkSubtree(Pick(4) == 0 ? nullptr : AnyNode(), Pick(2) == 0); break;
        case 2: doc.SetLanguageName(u"Sprache " + std::u16string(1, char16_t(u'A' + Pick(26)))); break;
        case 3:
            if (Pick(10) == 0) {
                script.flagChoices = {Pick(20)};
                doc.ChooseFlag();
            }
            break;
        default: {
            CTextNode* node = AnyNode();
            const auto kind = Kind(Pick(5));
            const std::u16string text = Edited(std::u16string(node->translatedText), kind);
            doc.EditText(node, text, kind, 0, int(text.size()));
        }
        }
    }

    // 1,000 changes with undo and redo in between; then all undone and all redone.
    void RunOn(const QString& path)
    {
        Open(path);
        const std::string original = FileBytes(path);
        nodes = PreOrder(*doc.GetRoot());
        nodes.erase(nodes.begin()); // the root
        for (int step = 0; step < 1000; ++step) {
            if (Pick(6) == 0) {
                for (int k = Pick(5); k > 0; --k)
                    Pick(2) == 0 ? doc.Undo() : doc.Redo();
            }
            OneChange();
        }
        const std::string last = Saved("last.tra");
        EXPECT_TRUE(doc.IsLanguageModified());
        while (doc.Undo()) {
        }
        EXPECT_EQ(Saved("undone.tra"), original);
        EXPECT_FALSE(doc.IsLanguageModified()) << "all undone is the file as it was opened";
        EXPECT_EQ(doc.GetTitle().back(), u'a') << "no star: " << QString::fromStdU16String(doc.GetTitle()).toStdString();
        while (doc.Redo()) {
        }
        EXPECT_EQ(Saved("redone.tra"), last);
    }

    std::mt19937 random{20};
    std::vector<CTextNode*> nodes;
};

TEST_F(UndoPropertyTest, TheSampleComesBackByteForByte)
{
    QFile::copy(QStringLiteral(GLOSSMARK_SAMPLE_TRA), Path("Sample.tra"));
    RunOn(Path("Sample.tra"));
}

TEST_F(UndoPropertyTest, TenThousandTextsComeBackByteForByte)
{
    RunOn(MakeFile("big.tra", 10000));
}

} // namespace

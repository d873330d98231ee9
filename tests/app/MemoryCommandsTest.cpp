// The translation memory in the running program: Fill from memory as one
// undoable step that leaves its texts to be edited and cuts no text, the
// memory fed by marks and saves (never by opening), a damaged database that
// never fails a save, a hostile import that writes nothing, and the progress
// pane after a mark.

#include "AppTestSupport.h"

#include "CMemoryController.h"
#include "CMemoryFeeder.h"
#include "CTranslationMemory.h"
#include "SizeLimit.h"

#include <QDir>

#include <fstream>

namespace {

class MemoryCommandsTest : public AppTest {
protected:
    // The program on a copy of the sample (its language "English": code "en").
    void StartOnSample()
    {
        sample = CopySample();
        ASSERT_TRUE(Start({sample}));
        boxes.clear(); // no Edit.tra: the German resources, as the start-up message said
    }
    CMemoryController& Memory() { return *Frame().GetMemory(); }

    // The texts below the top nodes, in tree order.
    std::vector<CTextNode*> Texts()
    {
        std::vector<CTextNode*> texts;
        for (int i = 0; i < View().GetRowCount(); ++i) {
            CTextNode* node = View().GetRow(i)->node;
            if (node->parent && node->parent->parent)
                texts.push_back(node);
        }
        return texts;
    }
    static bool ToBeEdited(const CTextNode* node) { return node->editState >= 3; }

    static std::unique_ptr<memory::CTranslationMemory> OpenMemory()
    {
        std::string error;
        auto memory = memory::CTranslationMemory::Open(memory::CTranslationMemory::DefaultPath(), error);
        EXPECT_TRUE(memory) << error;
        return memory;
    }
    static void AddPairs(const std::vector<std::pair<std::u16string, std::u16string>>& pairs)
    {
        std::vector<memory::Pair> list;
        for (const auto& [original, translation] : pairs)
            list.push_back({"und", "en", original, translation, u"P", u"1", 1, "/elsewhere.tra"});
        memory::AddCounts counts;
        EXPECT_EQ(OpenMemory()->Add(list, counts), "");
    }
    // The memory's pairs as original -> translation, after the feeder wrote.
    std::map<std::u16string, std::u16string> Stored()
    {
        if (app)
            Memory().GetFeeder().Flush();
        std::map<std::u16string, std::u16string> pairs;
        EXPECT_EQ(OpenMemory()->ForEachPair([&](const memory::Pair& p) { pairs[p.original] = p.translation; }), "");
        return pairs;
    }

    QString sample;
};

TEST_F(MemoryCommandsTest, FillIsOneUndoableStepThatLeavesTextsToBeEditedAndCutsNothing)
{
    StartOnSample();
    // Texts to be edited whose original is found nowhere else in the file.
    std::map<std::u16string, int> uses;
    for (CTextNode* node : Texts())
        ++uses[node->originalText];
    std::vector<CTextNode*> open;
    CTextNode* limited = nullptr;
    for (CTextNode* node : Texts()) {
        if (ToBeEdited(node) && !node->originalText.empty() && uses[node->originalText] == 1 && open.size() < 2)
            open.push_back(node);
        if (!limited && size_limit::IsSizeLimitedKind(node->kindCode) && node->width > 0 &&
            uses[node->originalText] == 1)
            limited = node;
    }
    ASSERT_EQ(open.size(), 2u);
    ASSERT_NE(limited, nullptr);
    Doc().MarkSubtree(limited, false);
    const std::u16string limitedBefore(limited->translatedText);
    AddPairs({{open[0]->originalText, u"eins"}, {open[1]->originalText, u"zwei"},
              {limited->originalText, std::u16string(400, u'W')}});
    const int steps = Doc().GetUndoStack().index();

    Frame().OnCommand(ID_FILL_FROM_MEMORY, CommandSource::Menu);
    EXPECT_EQ(std::u16string(open[0]->translatedText), u"eins");
    EXPECT_EQ(std::u16string(open[1]->translatedText), u"zwei");
    EXPECT_TRUE(ToBeEdited(open[0]) && ToBeEdited(open[1])) << "filled texts stay to be edited";
    EXPECT_EQ(std::u16string(limited->translatedText), limitedBefore) << "too wide for its control: not filled";
    EXPECT_EQ(Pane(0), u"2 Texte aus dem Übersetzungsspeicher gefüllt; sie bleiben zu bearbeiten");
    EXPECT_EQ(Doc().GetUndoStack().index(), steps + 1);

    Frame().OnCommand(ID_EDIT_UNDO, CommandSource::Menu);
    EXPECT_NE(std::u16string(open[0]->translatedText), u"eins");
    EXPECT_NE(std::u16string(open[1]->translatedText), u"zwei");
    EXPECT_TRUE(ToBeEdited(limited)) << "one undo takes back the fill, and only the fill";
}

TEST_F(MemoryCommandsTest, MarksSavesAndImportsFeedTheMemoryOpeningAndHostileFilesDoNot)
{
    StartOnSample();
    // A hostile import file is named and adds nothing; nor does opening a file.
    const QString hostile = dir.filePath(QStringLiteral("hostile.po"));
    std::ofstream(hostile.toStdString()) << "msgid \"a\"\nmsgstr \"b\"\nmsgid \"\\q\"\nmsgstr \"\"\n";
    nextFile = ToU16(hostile);
    Frame().OnCommand(ID_MEMORY_IMPORT, CommandSource::Menu);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes.front().find(u"kann nicht importiert werden"), std::u16string::npos);
    EXPECT_TRUE(Stored().empty()) << "opening a file imports nothing";
    EXPECT_EQ(Memory().ProgressText(), u"266 von 300 bearbeitet");

    CTextNode* marked = nullptr;
    CTextNode* typed = nullptr;
    for (CTextNode* node : Texts()) {
        if (ToBeEdited(node) && node->ChildCount() == 0 && !node->originalText.empty())
            (marked ? typed : marked) = typed ? typed : node;
    }
    ASSERT_TRUE(marked && typed && marked != typed);
    if (marked->translatedText.empty())
        Doc().EditText(marked, u"Marked", CTransDoc::TextEditKind::NewLine, 0, 0);
    Doc().MarkSubtree(marked, true);
    EXPECT_EQ(Memory().ProgressText(), u"267 von 300 bearbeitet");
    EXPECT_EQ(Stored(), (std::map<std::u16string, std::u16string>{{marked->originalText, marked->translatedText}}));

    Doc().EditText(typed, u"Typed", CTransDoc::TextEditKind::Typing, 0, 5);
    EXPECT_EQ(Memory().ProgressText(), u"268 von 300 bearbeitet") << "typing makes a text done";
    EXPECT_EQ(Stored().count(typed->originalText), 0u) << "half-typed texts wait for the save";
    ASSERT_TRUE(Doc().SaveLanguage());
    EXPECT_EQ(Stored()[typed->originalText], u"Typed");
    Frame().OnCommand(ID_EDIT_UNDO, CommandSource::Menu);
    EXPECT_EQ(Memory().ProgressText(), u"267 von 300 bearbeitet");

    // A sound file imports its pairs.
    nextFile = ToU16(sample);
    Frame().OnCommand(ID_MEMORY_IMPORT, CommandSource::Menu);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes.back().rfind(u"Sample.tra: ", 0), 0u);
    EXPECT_GT(Stored().size(), 200u);
}

TEST_F(MemoryCommandsTest, ADamagedDatabaseNeverFailsASaveAndIsReportedOnce)
{
    const std::string path = memory::CTranslationMemory::DefaultPath();
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
    std::ofstream(path, std::ios::binary) << std::string(8192, 'x');
    StartOnSample();
    CTextNode* node = Texts().front();
    for (const char16_t* text : {u"Eins", u"Zwei"}) {
        Doc().EditText(node, text, CTransDoc::TextEditKind::Typing, 0, 4);
        Doc().BreakTyping();
        EXPECT_TRUE(Doc().SaveLanguage());
        Memory().GetFeeder().Flush();
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().rfind(u"Der Übersetzungsspeicher kann nicht beschrieben werden", 0), 0u);
    EXPECT_FALSE(Doc().IsLanguageModified());
}

} // namespace


// The recovery copy: written while the document is modified, never during a
// burst of typing and at most once per interval, removed on save and on
// discard, and offered at the next start when it is newer than its file.
#include "DocumentTestSupport.h"

#include "CRecovery.h"
#include "ManualClock.h"
#include "QtStrings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

class RecoveryTest : public TransDocTest {
protected:
    void SetUp() override
    {
        TransDocTest::SetUp();
        folder = Path("settings");
    }

    std::u16string CopiedText(const CRecovery& recovery) const
    {
        const ReadOutcome read = ReadLanguageFile(recovery.CopyPath().toStdString());
        if (!read.language || !read.language->GetRoot())
            return u"<no copy>";
        return read.language->GetRoot()->GetChild(0)->translatedText;
    }

    void Type(const std::u16string& text)
    {
        CTextNode* node = doc.GetRoot()->GetChild(0);
        doc.EditText(node, text, CTransDoc::TextEditKind::Typing, 0, int(text.size()));
    }

    QString folder;
};

TEST_F(RecoveryTest, WrittenAfterAPauseAtMostOncePerMinuteAndRemovedOnSave)
{
    const QString path = MakeFile("x.tra");
    Open(path);
    CRecovery recovery(doc, folder);
    ManualClock clock;
    recovery.SetClock(clock);
    EXPECT_FALSE(recovery.OfferAtStart());
    clock.Advance(5000);
    EXPECT_FALSE(recovery.HasCopy()) << "nothing to keep while unmodified";

    // Typing with pauses shorter than two seconds: no copy while it lasts ...
    for (int i = 0; i < 10; ++i) {
        Type(u"Tippen " + ToU16(QString::number(i)));
        clock.Advance(1999);
        ASSERT_FALSE(recovery.HasCopy()) << "written during typing, at key " << i;
    }
    // ... then one after a pause of two seconds.
    Type(u"erste Fassung");
    clock.Advance(1999);
    EXPECT_FALSE(recovery.HasCopy());
    clock.Advance(1);
    ASSERT_TRUE(recovery.HasCopy());
    EXPECT_EQ(CopiedText(recovery), u"erste Fassung");
    EXPECT_TRUE(doc.IsLanguageModified()) << "the copy is no save";

    // The next change waits for the minute, not only for a pause.
    Type(u"zweite Fassung");
    clock.Advance(59999);
    EXPECT_EQ(CopiedText(recovery), u"erste Fassung");
    clock.Advance(1);
    EXPECT_EQ(CopiedText(recovery), u"zweite Fassung");
    QFile name(recovery.NamePath());
    ASSERT_TRUE(name.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(name.readAll()), path);

    // A save removes it, and nothing is written after that.
    ASSERT_TRUE(doc.SaveLanguage());
    EXPECT_FALSE(recovery.HasCopy());
    EXPECT_FALSE(QFile::exists(recovery.NamePath()));
    clock.Advance(120000);
    EXPECT_FALSE(recovery.HasCopy());

    // Closing without saving lets the copy go too.
    Type(u"verworfen");
    EXPECT_TRUE(recovery.WriteCopy());
    EXPECT_TRUE(recovery.HasCopy());
    recovery.Discard();
    EXPECT_FALSE(recovery.HasCopy());
}

TEST_F(RecoveryTest, OfferedAtStartWhenNewerThanItsFile)
{
    const QString path = MakeFile("x.tra");
    // File times tick coarsely: a copy made in the same tick would not count as newer.
    QFile(path).setFileTime(QDateTime::currentDateTime().addSecs(-10),
                            QFileDevice::FileModificationTime);
    const std::string original = FileBytes(path);
    Open(path);
    {
        CRecovery crashed(doc, folder);
        crashed.OfferAtStart();
        Type(u"ungesichert");
        ASSERT_TRUE(crashed.WriteCopy());
    } // the session ends without a word (the copy stays)

    // Nein: the copy goes; the document stays as it opened.
    CTransDoc& next = Reopen(path);
    {
        CRecovery recovery(next, folder);
        ASSERT_TRUE(recovery.HasCopy());
        script.boxAnswers = {IDNO};
        EXPECT_FALSE(recovery.OfferAtStart());
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_NE(script.messages[0].find(U16(path)), std::u16string::npos);
        EXPECT_NE(script.messages[0].find(u"wiederhergestellt"), std::u16string::npos);
        EXPECT_FALSE(recovery.HasCopy());
        EXPECT_FALSE(next.IsLanguageModified());
    }

    // Ja: restored as a modified document that saves to its file.
    {
        CRecovery crashed(doc, folder);
        crashed.OfferAtStart();
        ASSERT_TRUE(crashed.WriteCopy());
    }
    {
        CRecovery recovery(next, folder);
        script.boxAnswers = {IDYES};
        EXPECT_TRUE(recovery.OfferAtStart());
        EXPECT_TRUE(next.IsLanguageModified());
        EXPECT_EQ(next.GetPathName(), U16(path));
        EXPECT_EQ(next.GetRoot()->GetChild(0)->translatedText, u"ungesichert");
        EXPECT_EQ(next.GetTitle(), u"x.tra*");
        EXPECT_EQ(FileBytes(path), original) << "nothing written before the user saves";
        script.messages.clear();
        ASSERT_TRUE(next.SaveLanguage());
        EXPECT_TRUE(script.messages.empty()) << "no question about a changed file";
        EXPECT_FALSE(recovery.HasCopy());
    }

    // A copy older than its file is not offered.
    {
        CRecovery crashed(doc, folder);
        crashed.OfferAtStart();
        ASSERT_TRUE(crashed.WriteCopy());
        QFile copy(crashed.CopyPath());
        ASSERT_TRUE(copy.open(QIODevice::ReadWrite));
        ASSERT_TRUE(copy.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
    }
    script.messages.clear();
    CRecovery recovery(next, folder);
    EXPECT_FALSE(recovery.OfferAtStart());
    EXPECT_TRUE(script.messages.empty());
    EXPECT_FALSE(recovery.HasCopy());
}

TEST_F(RecoveryTest, ANewTranslationWithoutFileIsOfferedToo)
{
    Open(MakeFile("orig.tra", 100, true));
    script.flagChoices = {-1};
    doc.NewTranslation();
    {
        CRecovery crashed(doc, folder);
        crashed.OfferAtStart();
        ASSERT_TRUE(crashed.WriteCopy());
    }
    CTransDoc& next = Reopen(Path("orig.tra"));
    CRecovery recovery(next, folder);
    script.messages.clear();
    script.boxAnswers = {IDYES};
    EXPECT_TRUE(recovery.OfferAtStart());
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_NE(script.messages[0].find(u"noch nicht gespeicherten"), std::u16string::npos);
    EXPECT_TRUE(next.GetPathName().empty());
    EXPECT_FALSE(next.IsOriginal());
    EXPECT_EQ(next.GetLanguageName(), u"Neue_Sprache_0");
    EXPECT_TRUE(next.IsLanguageModified());
}

} // namespace

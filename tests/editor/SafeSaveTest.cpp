// Saves that must not lose or damage anything: files the user may not write,
// files another program changed since they were read or written.
#include "DocumentTestSupport.h"

#include "../common/Unprivileged.h"
#include "QtStrings.h"
#include "resource.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <thread>

#include <sys/stat.h>
#include <utime.h>

namespace {

using SafeSaveTest = TransDocTest;

// Run as nobody when the tests run as root, so that it never skips.
TEST_F(SafeSaveTest, WriteProtectedFileOrFolderFailsWithTheFileError)
{
    unprivileged::HandOver(dir.path().toStdString());
    const std::string failures = unprivileged::Run([this] {
        unprivileged::Failures check;
        const std::u16string denied = ToU16(QString::fromLocal8Bit(std::strerror(EACCES)));
        auto expectRefused = [&](const QString& path, const char* what) {
            const std::string before = FileBytes(path);
            doc.GetRoot()->GetChild(0)->translatedText = u"neu";
            doc.SetModified();
            script.messages.clear();
            check.Expect(!doc.SaveLanguage(), std::string(what) + ": saved");
            check.Expect(script.messages.size() == 1 &&
                             script.messages[0].find(denied) != std::u16string::npos,
                         std::string(what) + ": no file-error message");
            check.Expect(doc.IsLanguageModified(), std::string(what) + ": not modified");
            check.Expect(doc.GetTitle().back() == u'*', std::string(what) + ": title");
            check.Expect(FileBytes(path) == before, std::string(what) + ": file changed");
            script.boxAnswers = {IDYES};
            check.Expect(!doc.AskSave(), std::string(what) + ": the save question let go");
        };

        // A file without write permission in a folder the user may write.
        const QString locked = MakeFile("locked.tra");
        startupFile = U16(locked);
        check.Expect(doc.OpenLanguage(), "cannot open");
        ::chmod(locked.toLocal8Bit().constData(), 0444);
        expectRefused(locked, "protected file");
        struct stat status {};
        ::stat(locked.toLocal8Bit().constData(), &status);
        check.Expect((status.st_mode & 07777) == 0444, "the mode changed");

        // A writable file in a folder the user may not write.
        QDir(dir.path()).mkdir("ro");
        const QString inside = MakeFile("ro/x.tra");
        startupFile = U16(inside);
        script.boxAnswers = {IDNO};
        check.Expect(doc.OpenLanguage(), "cannot open in the folder");
        QFile::setPermissions(Path("ro"), QFile::ReadOwner | QFile::ExeOwner);
        expectRefused(inside, "protected folder");
        QFile::setPermissions(Path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        check.Expect(QDir(Path("ro")).entryList(QDir::Files).size() == 1, "temporary left");
        return check.Text();
    });
    EXPECT_EQ(failures, "");
}

TEST_F(SafeSaveTest, FileChangedByAnotherProgramIsNotOverwrittenUnasked)
{
    const QString path = MakeFile("x.tra");
    Open(path);
    // Our own saves are no change by another program.
    doc.SetModified();
    ASSERT_TRUE(doc.SaveLanguage());
    doc.SetModified();
    ASSERT_TRUE(doc.SaveLanguage());
    EXPECT_TRUE(script.messages.empty());

    // Another program writes the file: same size, new content and time.
    auto other = doc.GetLanguage()->Copy();
    ASSERT_FALSE(other->languageName.empty());
    other->languageName[0] = other->languageName[0] == u'Z' ? u'Y' : u'Z';
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    WriteFile(*other, path + ".new");
    ASSERT_EQ(std::rename((path + ".new").toLocal8Bit().constData(), path.toLocal8Bit().constData()), 0);
    const std::string theirs = FileBytes(path);
    doc.GetRoot()->GetChild(0)->translatedText = u"unser Text";
    doc.SetModified();

    // Abbrechen: nothing written, still modified.
    script.boxAnswers = {IDCANCEL};
    EXPECT_FALSE(doc.SaveLanguage());
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_NE(script.messages[0].find(U16(path)), std::u16string::npos);
    EXPECT_NE(script.messages[0].find(u"anderen Programm"), std::u16string::npos);
    EXPECT_EQ(FileBytes(path), theirs);
    EXPECT_TRUE(doc.IsLanguageModified());

    // Nein: save under another name; their file stays.
    script.boxAnswers = {IDNO};
    script.paths = {U16(Path("mine.tra"))};
    EXPECT_TRUE(doc.SaveLanguage());
    EXPECT_EQ(doc.GetPathName(), U16(Path("mine.tra")));
    EXPECT_EQ(FileBytes(path), theirs);
    EXPECT_FALSE(doc.IsLanguageModified());

    // A change by touching alone (size and content as before) counts too; Ja overwrites.
    const QString mine = Path("mine.tra");
    utimbuf times{1000000000, 1000000000};
    ASSERT_EQ(::utime(mine.toLocal8Bit().constData(), &times), 0);
    doc.SetModified();
    script.messages.clear();
    script.boxAnswers = {IDYES};
    EXPECT_TRUE(doc.SaveLanguage());
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_FALSE(doc.IsLanguageModified());
    CTransDoc& reread = Reopen(mine);
    EXPECT_EQ(reread.GetRoot()->GetChild(0)->translatedText, u"unser Text");

    // A file deleted meanwhile is simply written again.
    QFile::remove(mine);
    doc.SetModified();
    script.messages.clear();
    EXPECT_TRUE(doc.SaveLanguage());
    EXPECT_TRUE(script.messages.empty());
    EXPECT_TRUE(QFile::exists(mine));
}

} // namespace

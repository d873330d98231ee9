// A killed editor costs at most the last minute of typing: the editor runs
// in a child process, a text is typed, the child is killed with SIGKILL after
// a pause, and the next start offers the work back.
#include "AppTestSupport.h"

#include "CMessageBox.h"
#include "CRecovery.h"

#include <fstream>
#include <iterator>

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class CrashRecoveryTest : public AppTest {};

std::string Bytes(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const CTextNode* FindTranslation(const CTextNode& node, const std::u16string& prefix)
{
    if (node.translatedText.starts_with(prefix))
        return &node;
    for (int i = 0; i < node.ChildCount(); ++i)
        if (const CTextNode* found = FindTranslation(*node.GetChild(i), prefix))
            return found;
    return nullptr;
}

TEST_F(CrashRecoveryTest, KilledAfterTypingTheWorkIsOfferedAtTheNextStart)
{
    UseEnglish();
    const QString file = CopySample();
    const std::string before = Bytes(file);
    const std::u16string typed = u"Gerettet ";

    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // The editor as a user has it: a text typed, then a pause.
        ::close(fds[0]);
        char done = '0';
        if (Start({file})) {
            const int leaf = FirstLeafRow();
            QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, PiecePoint(leaf));
            if (QWidget* editor = QApplication::focusWidget()) {
                QTest::keyClick(editor, Qt::Key_Home);
                QTest::keyClicks(editor, ToQString(typed));
                if (Doc().IsLanguageModified()) {
                    QTest::qWait(CRecovery::kIdleMs + 1500);
                    done = '1';
                }
            }
        }
        [[maybe_unused]] const ssize_t n = ::write(fds[1], &done, 1);
        for (;;)
            QTest::qWait(1000); // until it is killed
    }
    ::close(fds[1]);
    pollfd ready{fds[0], POLLIN, 0};
    char done = 0;
    if (::poll(&ready, 1, 60000) == 1)
        [[maybe_unused]] const ssize_t n = ::read(fds[0], &done, 1);
    ::close(fds[0]);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_EQ(done, '1') << "the child typed and paused";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(Bytes(file), before) << "nothing was saved";

    // The next start offers the work; Ja brings it back as unsaved changes.
    std::vector<std::u16string> questions;
    CDialog::SetModalResponder([&](CDialog& dialog) {
        auto* box = qobject_cast<CMessageBox*>(&dialog);
        if (box && (box->GetType() & MB_TYPEMASK) == MB_YESNO) {
            questions.push_back(box->GetText());
            return int(IDYES);
        }
        return int(IDOK);
    });
    ASSERT_TRUE(Start({file}));
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find(u"Sample.tra"), std::u16string::npos);
    EXPECT_TRUE(Doc().IsLanguageModified());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Sample.tra* - Glossmark Editor"));
    EXPECT_NE(FindTranslation(*Doc().GetRoot(), typed), nullptr);
    EXPECT_NE(View().GetRowCount(), 0);

    // Saving puts it into the file and lets the copy go.
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Doc().IsLanguageModified());
    EXPECT_FALSE(app->GetRecovery()->HasCopy());
    const ReadOutcome saved = ReadLanguageFile(file.toStdString());
    ASSERT_TRUE(saved.language && saved.language->GetRoot());
    EXPECT_NE(FindTranslation(*saved.language->GetRoot(), typed), nullptr);

    // A normal end after that leaves nothing to offer.
    End();
    questions.clear();
    ASSERT_TRUE(Start({file}));
    EXPECT_TRUE(questions.empty());
}

} // namespace

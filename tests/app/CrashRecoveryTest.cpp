// A killed editor costs at most the last minute of typing: the editor runs
// in a child process (this test program again), a text is typed, the child is
// killed with SIGKILL after a pause, and the next start offers the work back.
#include "AppTestSupport.h"

#include "CMessageBox.h"
#include "CProfile.h"
#include "CRecovery.h"
#include "Golden.h"
#include "ManualClock.h"
#include "ModelTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

class CrashRecoveryTest : public AppTest {};

bool HasTranslationStartingWith(const CTextNode& root, const std::u16string& prefix)
{
    return std::ranges::any_of(PreOrder(root), [&](const CTextNode* node) {
        return node->translatedText.starts_with(prefix);
    });
}

constexpr char kChildVariable[] = "GLOSSMARK_RECOVERY_CHILD";
constexpr char16_t kTyped[] = u"Gerettet ";

// The child: the editor as a user has it, in the parent's folder and with
// its settings; a text typed, then a pause; it says so and waits to be killed.
class TypeUntilKilled : public AppTest {
public:
    void TestBody() override
    {
        const QString folder = QString::fromLocal8Bit(qgetenv(kChildVariable));
        CProfile::SetFile(folder + QStringLiteral("/profile.ini"));
        QDir::setCurrent(folder);
        dir.remove(); // its own folder: a killed process cannot tidy up
        std::printf("%s\n", Typed() ? "typed" : "failed");
        std::fflush(stdout);
        for (;;)
            QTest::qWait(100);
    }

private:
    bool Typed()
    {
        const QString folder = QString::fromLocal8Bit(qgetenv(kChildVariable));
        if (!Start({folder + QStringLiteral("/Sample.tra")}))
            return false;
        // The copy's two-second pause passes without waiting for it.
        static ManualClock clock;
        app->GetRecovery()->SetClock(clock);
        const int leaf = FirstLeafRow();
        QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, PiecePoint(leaf));
        QWidget* editor = QApplication::focusWidget();
        if (!editor)
            return false;
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClicks(editor, QString::fromUtf16(kTyped));
        if (!Doc().IsLanguageModified())
            return false;
        clock.Advance(CRecovery::kIdleMs);
        return app->GetRecovery()->HasCopy();
    }
};

// Registered only in the child process, so that no test list shows it.
const bool kChildRegistered = qEnvironmentVariableIsSet(kChildVariable) &&
                              (::testing::RegisterTest("CrashRecoveryChild", "TypeUntilKilled",
                                                       nullptr, nullptr, __FILE__, __LINE__,
                                                       []() -> AppTest* { return new TypeUntilKilled; }),
                               true);

TEST_F(CrashRecoveryTest, KilledAfterTypingTheWorkIsOfferedAtTheNextStart)
{
    UseEnglish();
    const QString file = CopySample();
    const std::string before = golden::Read(file.toStdString());
    const std::u16string typed = kTyped;

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), dir.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=CrashRecoveryChild.TypeUntilKilled")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray output;
    QElapsedTimer waited;
    waited.start();
    while (!output.contains("typed\n") && !output.contains("failed") && waited.elapsed() < 60000) {
        child.waitForReadyRead(500);
        output += child.readAllStandardOutput();
    }
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
    ASSERT_TRUE(output.contains("typed\n")) << output.toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(golden::Read(file.toStdString()), before) << "nothing was saved";

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
    EXPECT_TRUE(HasTranslationStartingWith(*Doc().GetRoot(), typed));
    EXPECT_NE(View().GetRowCount(), 0);

    // Saving puts it into the file and lets the copy go.
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Doc().IsLanguageModified());
    EXPECT_FALSE(app->GetRecovery()->HasCopy());
    const ReadOutcome saved = ReadLanguageFile(file.toStdString());
    ASSERT_TRUE(saved.language && saved.language->GetRoot());
    EXPECT_TRUE(HasTranslationStartingWith(*saved.language->GetRoot(), typed));

    // A normal end after that leaves nothing to offer.
    End();
    questions.clear();
    ASSERT_TRUE(Start({file}));
    EXPECT_TRUE(questions.empty());
}

} // namespace

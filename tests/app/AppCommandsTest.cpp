// The application's commands in the running program: the about box, opening
// by path (Ctrl+O, a dropped file, a file handed over by a second start), the
// recent files, printer set-up and printing.

#include "AppTestSupport.h"

#include "CAboutDlg.h"
#include "CHeadView.h"
#include "CInstanceChannel.h"
#include "CMenu.h"
#include "CMessageBox.h"
#include "CRecentFileList.h"

#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPrinter>
#include <QTimer>
#include <QUuid>

#include <thread>

namespace {

class AppCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        UseEnglish();
        first = CopySample(QStringLiteral("First.tra"));
        second = CopySample(QStringLiteral("Second.tra"));
    }

    // Answers the save question 61451 with answer, every other box with OK.
    void AnswerSaveQuestion(int answer)
    {
        CDialog::SetModalResponder([this, answer](CDialog& dialog) {
            auto* box = qobject_cast<CMessageBox*>(&dialog);
            if (!box)
                return onDialog ? onDialog(dialog) : int(IDCANCEL);
            boxes.push_back(box->GetText());
            return box->GetType() == MB_YESNOCANCEL ? answer : int(IDOK);
        });
    }
    void Drop(const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&Frame(), &enter);
        dropAccepted = enter.isAccepted();
        if (!dropAccepted)
            return;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&Frame(), &drop);
    }

    QString first;
    QString second;
    bool dropAccepted = false;
};

TEST_F(AppCommandsTest, AboutBoxShowsTheVersionInTheFormatOfTheUserInterfaceFile)
{
    ASSERT_TRUE(Start({first}));
    std::u16string version;
    onDialog = [&version](CDialog& dialog) {
        version = dialog.GetDlgItemText(IDC_ABOUT_VERSION);
        return int(IDOK);
    };
    Frame().OnCommand(ID_APP_ABOUT);
    EXPECT_EQ(version, u"Version 2.002");
    End();

    // A user-interface file of its own whose version format differs.
    QFile::remove(dir.filePath("Edit.tra"));
    auto ui = MakeLanguage();
    Add(Top(*ui, u"Stringtables"), u"Version %i.%i%02i", u"Ausgabe %i-%i-%02i (Test)");
    ASSERT_FALSE(WriteLanguageFile(*ui, PathOf("Edit.tra")));
    ASSERT_TRUE(Start({first}));
    EXPECT_EQ(CAboutDlg::VersionText(), u"Ausgabe 2-0-02 (Test)");
}

TEST_F(AppCommandsTest, CtrlNAndCtrlOAskToSaveThenOpenTheChosenFile)
{
    ASSERT_TRUE(Start({first}));
    // Cancelled: the document stays as it was.
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(fileDialogTitles.size(), 1u);
    EXPECT_EQ(Doc().GetPathName(), ToU16(first));
    // Abbrechen at the save question keeps the document, and the name is not
    // left behind for the next open, which asks for a file again.
    Doc().SetModified();
    AnswerSaveQuestion(IDCANCEL);
    EXPECT_FALSE(app->OpenDocumentFile(ToU16(second)));
    EXPECT_EQ(Doc().GetPathName(), ToU16(first));
    EXPECT_TRUE(Doc().IsLanguageModified());
    EXPECT_EQ(app->GetStartupFile(), u"");
    boxes.clear();
    AnswerSaveQuestion(IDNO);
    nextFile = ToU16(second);
    QTest::keyClick(&Frame(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(u"save"), std::u16string::npos);
    EXPECT_EQ(Doc().GetPathName(), ToU16(second));
    EXPECT_FALSE(Doc().IsLanguageModified());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Second.tra - Glossmark Editor"));
    EXPECT_EQ(fileDialogTitles.back(), u"Open a Language");
}

TEST_F(AppCommandsTest, NoFileIsTakenWhileTheStartUpOpenDialogCanStillBeCancelled)
{
    const QString channel = QStringLiteral("glossmark-test-") + QUuid::createUuid().toString(QUuid::Id128);
    app = std::make_unique<CEditorApp>();
    app->SetInstanceChannel(channel);
    // A second start hands its file over while the start's open dialog is up,
    // which the user then cancels.
    std::atomic<bool> done = false;
    bool taken = false;
    CFileDialog::SetResponder([&](CFileDialog&) {
        std::thread secondStart([&] {
            taken = CInstanceChannel::SendToRunning(channel, second, 500);
            done = true;
        });
        while (!done.load())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        secondStart.join();
        return int(IDCANCEL);
    });
    EXPECT_FALSE(app->InitInstance());
    EXPECT_FALSE(taken) << "the second start must open its file itself";
}

TEST_F(AppCommandsTest, RecentFilesAreKeptAcrossRuns)
{
    ASSERT_TRUE(Start({first}));
    ASSERT_TRUE(app->OpenDocumentFile(ToU16(second)));
    const std::vector<std::u16string> expected = {ToU16(second), ToU16(first)};
    EXPECT_EQ(app->GetRecentFiles().GetFiles(), expected);
    End();
    CRecentFileList list(CEditorApp::kRecentFiles);
    list.ReadList();
    EXPECT_EQ(list.GetFiles(), expected);
    // Four at most, newest first, each once.
    for (const char16_t* name : {u"a", u"b", u"c", u"d", u"b", u"e"})
        list.Add(name);
    EXPECT_EQ(list.GetFiles(), (std::vector<std::u16string>{u"e", u"b", u"d", u"c"}));
    CRecentFileList again(CEditorApp::kRecentFiles);
    again.ReadList();
    EXPECT_EQ(again.GetFiles(), list.GetFiles());

    // The file menu lists them under the printing commands; choosing one opens it.
    list.Add(ToU16(second));
    list.Add(ToU16(first));
    ASSERT_TRUE(Start({first}));
    CMenu* file = Frame().GetMenu()->GetSubMenu(0);
    Frame().OnInitMenuPopup(file, 0, false);
    EXPECT_EQ(file->GetMenuString(ID_FILE_PRINT, MF_BYCOMMAND), u"&Print...\tCtrl+P");
    EXPECT_EQ(file->GetMenuString(ID_FILE_PRINT_PREVIEW, MF_BYCOMMAND), u"Print Previe&w");
    EXPECT_EQ(file->GetMenuString(ID_FILE_PRINT_SETUP, MF_BYCOMMAND), u"Page Set&up...");
    const std::u16string shown[] = {u"&1 " + ToU16(first), u"&2 " + ToU16(second), u"&3 e", u"&4 b"};
    for (UINT i = 0; i < 4; ++i)
        EXPECT_EQ(file->GetMenuString(ID_FILE_MRU_FILE1 + i, MF_BYCOMMAND), shown[i]);
    Frame().OnCommand(ID_FILE_MRU_FILE2, CommandSource::Menu);
    EXPECT_EQ(Doc().GetPathName(), ToU16(second));
}

TEST_F(AppCommandsTest, AFileChangedByAnotherProgramIsNoticedAtOnce)
{
    ASSERT_TRUE(Start({first}));
    int answer = IDYES;
    std::vector<std::u16string> asked;
    QString titles;
    const auto previous = CDialog::SetModalResponder([&](CDialog& dialog) {
        if (auto* box = qobject_cast<CMessageBox*>(&dialog))
            asked.push_back(box->GetText());
        titles += dialog.windowTitle() + u'|';
        return answer;
    });
    // Another program saves the file under a new language name, as editors do: over it.
    const auto changeOnDisk = [&](const std::u16string& name) {
        ReadOutcome read = ReadLanguageFile(first.toStdString());
        read.language->SetLanguageName(name);
        EXPECT_FALSE(WriteLanguageFile(*read.language, first.toStdString()));
        return QTest::qWaitFor([&, count = asked.size()] { return asked.size() > count; }, 3000);
    };
    // Our own save asks nothing.
    ASSERT_TRUE(Doc().SetLanguageName(u"Here"));
    ASSERT_TRUE(Doc().SaveLanguage());
    QTest::qWait(200);
    EXPECT_TRUE(asked.empty());
    // Unchanged here: reloaded on Yes, with a new history (the old steps were on the old file).
    ASSERT_TRUE(changeOnDisk(u"Elsewhere"));
    EXPECT_EQ(Doc().GetLanguageName(), u"Elsewhere");
    EXPECT_FALSE(Doc().IsLanguageModified());
    EXPECT_FALSE(Doc().GetUndoStack().canUndo());
    // Changed here: Yes keeps the changes; the save question about the file then stays.
    Doc().SetModified();
    ASSERT_TRUE(changeOnDisk(u"Again"));
    EXPECT_EQ(Doc().GetLanguageName(), u"Elsewhere");
    EXPECT_TRUE(Doc().IsLanguageModified());
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0], asked[1]);
    // "No" to overwriting: Save As starts at the file's own name in its folder.
    answer = IDNO;
    Doc().SaveLanguage();
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(fileDialogPaths, std::vector<std::u16string>{ToU16(first)});
    CDialog::SetModalResponder(previous);
    EXPECT_EQ(titles.toStdString(), "Glossmark Editor|Glossmark Editor|Glossmark Editor|");
}

TEST_F(AppCommandsTest, ADroppedFileOpensAndPrinterSetupAndPrintingReachTheirHandlers)
{
    ASSERT_TRUE(Start({first}));
    // A dropped language file opens; another file is not taken.
    EXPECT_TRUE(Frame().acceptDrops());
    QFile other(dir.filePath("notes.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    Drop(other.fileName());
    EXPECT_FALSE(dropAccepted);
    Drop(second);
    EXPECT_TRUE(dropAccepted);
    EXPECT_EQ(Doc().GetPathName(), ToU16(second));
    EXPECT_TRUE(boxes.empty());

    int setups = 0;
    auto previous = CEditorApp::SetPrinterSetupResponder([&](QPrinter& printer) {
        ++setups;
        printer.setPageOrientation(QPageLayout::Landscape);
        return int(IDOK);
    });
    Frame().OnCommand(ID_FILE_PRINT_SETUP);
    CEditorApp::SetPrinterSetupResponder(previous);
    EXPECT_EQ(setups, 1);

    // Ctrl+P prints the tree view, wherever the focus is.
    const QString pdf = dir.filePath("printed.pdf");
    QPageLayout::Orientation printedIn = QPageLayout::Portrait;
    auto previousPrint = CMyEditView::SetPrintDialogResponder([&](QPrinter& printer) {
        printedIn = printer.pageLayout().orientation();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return int(IDOK);
    });
    static_cast<QWidget*>(Frame().GetHeadView())->setFocus();
    QTest::keyClick(&Frame(), Qt::Key_P, Qt::ControlModifier);
    CMyEditView::SetPrintDialogResponder(previousPrint);
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    // The set-up's choice reaches the printer used.
    EXPECT_EQ(printedIn, QPageLayout::Landscape);
}

TEST_F(AppCommandsTest, AFileHandedOverBySecondStartWaitsWhileADialogIsOpen)
{
    const QString channel = QStringLiteral("glossmark-test-") + QUuid::createUuid().toString(QUuid::Id128);
    app = std::make_unique<CEditorApp>();
    app->SetCommandLine({first});
    app->SetInstanceChannel(channel);
    ASSERT_TRUE(app->InitInstance());
    // The about box is up (a real modal dialog) when the file arrives.
    std::atomic<bool> sent = false;
    QString pathWhileOpen;
    onDialog = nullptr;
    CDialog::SetModalResponder({});
    std::thread secondStart;
    QTimer::singleShot(0, [&] {
        secondStart = std::thread([&] { sent = CInstanceChannel::SendToRunning(channel, second); });
    });
    // The box closes once the running editor has taken the file, or after 5 s.
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!sent.load() && clock.elapsed() < 5000)
            return;
        poll.stop();
        pathWhileOpen = ToQString(Doc().GetPathName());
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->reject();
    });
    poll.start(20);
    Frame().OnCommand(ID_APP_ABOUT);
    ASSERT_TRUE(secondStart.joinable());
    secondStart.join();
    EXPECT_TRUE(sent.load());
    EXPECT_EQ(pathWhileOpen, first);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Doc().GetPathName() == ToU16(second); }, 3000));
    // Without a running editor nothing takes the file.
    EXPECT_FALSE(CInstanceChannel::SendToRunning(channel + QStringLiteral("-none"), second, 200));
}

TEST(InstanceChannelTest, OneChannelPerUserAndDisplay)
{
    // The environment as it was, put back at the end.
    struct Saved {
        const char* name;
        bool set;
        QByteArray value;
    } saved[] = {{"DISPLAY", qEnvironmentVariableIsSet("DISPLAY"), qgetenv("DISPLAY")},
                 {"WAYLAND_DISPLAY", qEnvironmentVariableIsSet("WAYLAND_DISPLAY"), qgetenv("WAYLAND_DISPLAY")}};
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":7");
    const QString seven = CInstanceChannel::DefaultName();
    qputenv("DISPLAY", ":8.0");
    const QString eight = CInstanceChannel::DefaultName();
    for (const Saved& s : saved) {
        if (s.set)
            qputenv(s.name, s.value);
        else
            qunsetenv(s.name);
    }
    EXPECT_NE(seven, eight);
    EXPECT_TRUE(seven.startsWith(QStringLiteral("glossmark-editor-")));
    EXPECT_FALSE(seven.contains(u':'));
    EXPECT_FALSE(eight.contains(u'.'));
}

} // namespace

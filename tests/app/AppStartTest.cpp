// The program as a user starts it: with a file on the command line, without
// one, with a damaged one, and with or without its English user-interface file.

#include "AppTestSupport.h"

#include "CMenu.h"

namespace {

using AppStartTest = AppTest;

// The path of original texts from the root down to node.
std::vector<std::u16string> NodePath(const CTextNode* node)
{
    std::vector<std::u16string> path;
    for (; node && node->parent; node = node->parent)
        path.insert(path.begin(), node->originalText);
    return path;
}

TEST_F(AppStartTest, FileOnCommandLineIsEditedAndSaved)
{
    UseEnglish();
    const QString file = CopySample();
    ASSERT_TRUE(Start({file}));
    EXPECT_TRUE(fileDialogTitles.empty());
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(Frame().isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Sample.tra - Glossmark Editor"));
    const int rows = View().GetRowCount();
    EXPECT_EQ(Pane(1), ToU16(QStringLiteral("%1 texts").arg(rows)));

    const int leaf = FirstLeafRow();
    ASSERT_GE(leaf, 0);
    const QPoint at = PiecePoint(leaf);
    ASSERT_GE(at.x(), 0);
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(View().GetCurrentRow(), leaf);
    EXPECT_EQ(Pane(1), ToU16(QStringLiteral("Text %1 of %2").arg(leaf).arg(rows)));

    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClicks(editor, QStringLiteral("Qx"));
    CTextNode* node = View().GetRow(leaf)->node;
    const std::vector<std::u16string> path = NodePath(node);
    EXPECT_TRUE(Doc().IsLanguageModified());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Sample.tra* - Glossmark Editor"));

    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Doc().IsLanguageModified());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Sample.tra - Glossmark Editor"));

    ReadOutcome back = ReadLanguageFile(file.toStdString());
    ASSERT_TRUE(back.language && back.language->GetRoot());
    CTextNode* saved = back.language->GetRoot()->FindByPath(path.data(), std::int32_t(path.size()));
    ASSERT_NE(saved, nullptr);
    EXPECT_TRUE(saved->translatedText.starts_with(u"Qx")) << QString::fromStdU16String(saved->translatedText).toStdString();
    EXPECT_EQ(saved->editState, node->editState);
    EXPECT_EQ(saved->editState / 3, 0u) << "a typed text is done";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(End(), 0);
    EXPECT_EQ(ProfileEntry(), u"Edit.tra") << "the user-interface file in use is remembered";
}

TEST_F(AppStartTest, NoFileOrADamagedOrMissingOneEndsTheProgram)
{
    // Without a file, cancelling the open dialog ends the program.
    app = std::make_unique<CEditorApp>();
    EXPECT_EQ(app->Run(), 0);
    ASSERT_EQ(fileDialogTitles.size(), 1u);
    EXPECT_EQ(fileDialogTitles[0], u"Öffnen einer Sprache");
    EXPECT_EQ(app->GetMainFrame(), nullptr);
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(VisibleWindows(), 0);
    app.reset();
    fileDialogTitles.clear();
    // A damaged or missing file is reported by name, then the program ends.
    UseEnglish();
    // The sample cut off in the middle of its tree.
    QFile sample(QStringLiteral(GLOSSMARK_SAMPLE_TRA));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray bytes = sample.readAll();
    QFile bad(dir.filePath("Damaged.tra"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(bytes.left(bytes.size() / 2));
    bad.close();
    for (const QString& name : {QStringLiteral("Damaged.tra"), QStringLiteral("Nowhere.tra")}) {
        boxes.clear();
        app = std::make_unique<CEditorApp>();
        app->SetCommandLine({dir.filePath(name)});
        EXPECT_EQ(app->Run(), 0);
        ASSERT_EQ(boxes.size(), 1u) << name.toStdString();
        EXPECT_NE(boxes[0].find(ToU16(name)), std::u16string::npos);
        EXPECT_TRUE(fileDialogTitles.empty());
        EXPECT_EQ(app->GetMainFrame(), nullptr);
        EXPECT_EQ(VisibleWindows(), 0);
        app.reset();
    }
}

TEST_F(AppStartTest, ShellSwitchesOnlyOpenTheFile)
{
    UseEnglish();
    const QString file = CopySample();
    ASSERT_TRUE(Start({QStringLiteral("/p"), file}));
    EXPECT_TRUE(fileDialogTitles.empty());
    EXPECT_EQ(Doc().GetPathName(), ToU16(file));
    EXPECT_EQ(CEditorApp::FileOfCommandLine({QStringLiteral("-pt"), QStringLiteral("/dde")}), u"");
    // An absolute path is a file even though it starts with a slash.
    EXPECT_EQ(CEditorApp::FileOfCommandLine({file}), ToU16(file));
}

TEST_F(AppStartTest, WithoutEditTraTheGermanTextsStay)
{
    const QString file = CopySample();
    ASSERT_TRUE(Start({file}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(u"Edit.tra"), std::u16string::npos);
    EXPECT_EQ(Frame().GetMenu()->GetMenuString(0, MF_BYPOSITION), u"&Datei");
    EXPECT_EQ(Pane(0), u"Drücken Sie F1, um Hilfe zu erhalten.");
    EXPECT_EQ(Pane(1), ToU16(QStringLiteral("%1 Texte").arg(View().GetRowCount())));
    EXPECT_EQ(End(), 0);
    EXPECT_EQ(ProfileEntry(), u"");
}

} // namespace

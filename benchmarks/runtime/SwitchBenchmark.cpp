// The language switch: listing a folder of 200 language files of realistic
// size (300 texts each) in the switch dialog, and switching the language with
// 20 translated windows open.

#include "CLanguageSwitchDialog.h"
#include "CTextNode.h"
#include "DialogTranslation.h"
#include "LanguageFileIO.h"
#include "LanguageSwitch.h"
#include "SwitchFileCollection.h"
#include "UiLanguage.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kDialogs = 24;
constexpr int kControls = 8;
constexpr int kFiles = 200;
constexpr int kOpenWindows = 20;

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

CTextNode* Add(CTextNode* parent, const std::u16string& original, const std::u16string& translated)
{
    auto node = std::make_unique<CTextNode>(parent);
    node->originalText = original;
    node->translatedText = translated;
    CTextNode* raw = node.get();
    parent->AddChild(std::move(node));
    return raw;
}

// About 300 texts: 24 dialogs of 8 controls, a menu of 5 popups of 8 items,
// and 60 strings, every translated text tagged with the language.
std::unique_ptr<CLanguageFile> MakeLanguage(const std::string& tag, const std::u16string& version)
{
    auto file = std::make_unique<CLanguageFile>(std::make_unique<CTextNode>(nullptr));
    file->programName = u"Glossmark Editor";
    file->programVersion = version;
    file->languageName = Widen(tag);
    CTextNode* root = file->GetRoot();
    CTextNode* dialogs = Add(root, u"Dialoge", u"Dialoge");
    CTextNode* menus = Add(root, u"Menus", u"Menus");
    CTextNode* strings = Add(root, u"Stringtables", u"Stringtables");
    const std::u16string t = Widen(" " + tag);
    for (int d = 0; d < kDialogs; ++d) {
        const std::u16string title = Widen("Dialog " + std::to_string(d));
        CTextNode* dialog = Add(dialogs, title, title + t);
        for (int c = 0; c < kControls; ++c) {
            const std::u16string text = Widen("Feld " + std::to_string(d) + "." + std::to_string(c));
            Add(dialog, text, text + t);
        }
    }
    CTextNode* menu = Add(menus, u"Menü 128", u"Menu 128" + t);
    for (int p = 0; p < 5; ++p) {
        CTextNode* popup = Add(menu, Widen("&Menü " + std::to_string(p)), Widen("&Menu " + std::to_string(p)) + t);
        for (int i = 0; i < 8; ++i)
            Add(popup, Widen("Befehl " + std::to_string(p * 8 + i)), Widen("Command " + std::to_string(p * 8 + i)) + t);
    }
    for (int s = 0; s < 60; ++s)
        Add(strings, Widen("Hinweis zum Befehl " + std::to_string(s) + "\nBefehl"),
            Widen("Prompt of command " + std::to_string(s) + "\nCommand") + t);
    for (auto& pixel : file->flagPixels)
        pixel = 0x00C0C0C0;
    return file;
}

std::u16string Path(const QTemporaryDir& dir, const std::string& name)
{
    return dir.filePath(QString::fromStdString(name)).toStdU16String();
}

void Write(const CLanguageFile& file, const std::u16string& path)
{
    WriteLanguageFile(file, QString::fromStdU16String(path).toStdString());
}

// A folder of kFiles files, one in five of an older version; the first is loaded.
struct Folder {
    QTemporaryDir dir;
    Folder()
    {
        for (int i = 0; i < kFiles; ++i)
            Write(*MakeLanguage("L" + std::to_string(i), i % 5 == 4 ? u"1.0" : u"2.0"),
                  Path(dir, "Lang" + std::to_string(i) + ".tra"));
        LoadTranslationFile(Path(dir, "Lang0.tra"), false);
    }
    ~Folder() { UnloadTranslation(); }
};

void BM_CollectSwitchFiles(benchmark::State& state)
{
    Folder folder;
    const std::u16string path = folder.dir.path().toStdU16String();
    for (auto _ : state) {
        const SwitchFileGroups groups = CollectSwitchFiles(path);
        benchmark::DoNotOptimize(groups.thisVersion.size());
    }
}
BENCHMARK(BM_CollectSwitchFiles)->Unit(benchmark::kMillisecond);

// The whole initialisation the user waits for: controls, the collection,
// every flag and name read and added to the lists.
void BM_SwitchDialogListsFolder(benchmark::State& state)
{
    Folder folder;
    const std::u16string path = folder.dir.path().toStdU16String();
    const auto previous = CDialog::SetModalResponder([](CDialog&) { return int(IDCANCEL); });
    for (auto _ : state) {
        CLanguageSwitchDialog dialog(path, true, true, SwitchDialogTexts());
        dialog.DoModal();
        benchmark::DoNotOptimize(dialog.GetThisVersionList()->GetItemCount());
    }
    CDialog::SetModalResponder(previous);
}
BENCHMARK(BM_SwitchDialogListsFolder)->Unit(benchmark::kMillisecond);

// Switching back and forth between two files with 20 dialogs open, each
// showing its texts in the language of the moment.
void BM_SwitchWithOpenWindows(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::u16string a = Path(dir, "A.tra");
    const std::u16string b = Path(dir, "B.tra");
    Write(*MakeLanguage("A", u"2.0"), a);
    Write(*MakeLanguage("B", u"2.0"), b);
    LoadTranslationFile(a, false);
    std::vector<std::unique_ptr<QDialog>> windows;
    for (int w = 0; w < kOpenWindows; ++w) {
        auto dialog = std::make_unique<QDialog>();
        dialog->setWindowTitle(QStringLiteral("Dialog %1").arg(w));
        for (int c = 0; c < kControls; ++c)
            new QLabel(QStringLiteral("Feld %1.%2").arg(w).arg(c), dialog.get());
        TranslateDialog(CWnd(dialog.get()), kPlainDialog);
        windows.push_back(std::move(dialog));
    }
    bool toB = true;
    for (auto _ : state) {
        if (!SwitchTranslationFile(toB ? b : a))
            state.SkipWithError("switch refused");
        toB = !toB;
    }
    if (!windows.front()->windowTitle().startsWith(QStringLiteral("Dialog 0 ")))
        state.SkipWithError("windows not translated");
    UnloadTranslation();
}
BENCHMARK(BM_SwitchWithOpenWindows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#pragma once

// Fixture of the run-time layer tests: the editor's resources installed, the
// profile in a file of the test's own, message boxes answered and recorded
// instead of shown, and the layer unloaded after every test.

#include "CDialog.h"
#include "CLanguageFile.h"
#include "CTextNode.h"
#include "TestTree.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using test_tree::Add;

class TranslationTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A language with the three top nodes and nothing below them.
    static std::unique_ptr<CLanguageFile> MakeLanguage();
    static CTextNode* Top(CLanguageFile& file, const std::u16string& text);

    // Writes language into the test folder under name; its path.
    std::u16string Write(const CLanguageFile& language, const std::string& name);
    // Writes language and loads it as the current translation.
    void Install(const CLanguageFile& language, const std::string& name = "Test.tra");
    // Installs the language tree before the "----" line of a golden file (see
    // TreeText.h) and returns the part after it.
    std::string InstallGolden(const std::filesystem::path& input);
    std::string PathOf(const std::string& name) const;
    QByteArray ReadBytes(const std::string& name) const;
    // Writes bytes into the test folder under name; its path.
    std::u16string WriteBytes(const std::string& name, const QByteArray& bytes) const;
    std::u16string ProfileEntry() const;
    // Makes the test folder the working folder until the test ends, as for a
    // program started there.
    void WorkInTestFolder();

    QTemporaryDir dir;
    std::vector<std::u16string> boxes; // texts of the message boxes shown
    // Answers every other dialog run modally (default: IDCANCEL).
    std::function<int(CDialog&)> onDialog;

private:
    CDialog::ModalResponder m_previous;
    QString m_previousDir;
};

#pragma once

#include "CArchive.h"
#include "CLanguageFile.h"
#include "Golden.h"
#include "LanguageFileIO.h"
#include "ModelTestSupport.h"
#include "TextEncoding.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace tools_test {

// The bytes of language's file form, as text.
inline std::string StoredBytes(const CLanguageFile& language)
{
    const Bytes bytes = StoreToBytes(language);
    return {bytes.begin(), bytes.end()};
}

inline std::string Utf8(const std::u16string& text) { return tra_text::ToUtf8(text); }

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder for the files of the running test, its own even when other
// builds run the same test at once; removed when the test program ends.
inline std::filesystem::path TestFolder()
{
    struct Made {
        std::vector<std::filesystem::path> folders;
        ~Made()
        {
            std::error_code ignored;
            for (const auto& folder : folders)
                std::filesystem::remove_all(folder, ignored);
        }
    };
    static Made made;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_'); // typed and parameterized tests
    std::string pattern = (std::filesystem::path(::testing::TempDir()) / ("glossmark_tools." + name + ".XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot make a folder like " << pattern;
    made.folders.emplace_back(pattern);
    return pattern;
}

struct ProcessRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs a shell command line in folder and collects its output; a crash (signal)
// shows as an exit code that no test expects.
inline ProcessRun Shell(const std::filesystem::path& folder, const std::string& command)
{
    const auto out = folder / "stdout.txt";
    const auto err = folder / "stderr.txt";
    const std::string line = "cd " + Quoted(folder.string()) + " && " + command + " >" +
                             Quoted(out.string()) + " 2>" + Quoted(err.string()) + " </dev/null";
    const int status = std::system(line.c_str());
    ProcessRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    run.out = golden::Read(out);
    run.err = golden::Read(err);
    return run;
}

// Runs glossmark-tra with args in folder; prefix, when given, is a program that runs it.
inline ProcessRun Tra(const std::filesystem::path& folder, const std::vector<std::string>& args,
                      const std::string& prefix = {})
{
    std::string command = (prefix.empty() ? "" : prefix + " ") + Quoted(GLOSSMARK_TRA);
    for (const std::string& arg : args)
        command += " " + Quoted(arg);
    return Shell(folder, command);
}

// The tests that run glossmark-tra: a folder of their own, with the commands run in it
// and the language files saved to it.
class ToolTest : public ::testing::Test {
protected:
    std::filesystem::path folder = TestFolder();

    ProcessRun Shell(const std::string& command) const { return tools_test::Shell(folder, command); }
    ProcessRun Tra(const std::vector<std::string>& args, const std::string& prefix = {}) const
    {
        return tools_test::Tra(folder, args, prefix);
    }
    // Saves language under name in the folder (or at name when it is absolute); its path.
    std::string Save(const CLanguageFile& language, const std::filesystem::path& name) const
    {
        const std::string path = (folder / name).string();
        const FileError error = WriteLanguageFile(language, path);
        EXPECT_FALSE(error) << error.Describe(path);
        return path;
    }
};

} // namespace tools_test

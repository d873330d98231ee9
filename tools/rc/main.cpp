// glossmark-rc: compiles a resource script into C++ constant tables and a Qt
// resource file for its bitmaps.

#include "CRcCppWriter.h"
#include "CRcError.h"
#include "CRcParser.h"
#include "CRcPreprocessor.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

void Usage()
{
    std::cerr << "usage: glossmark-rc [-I dir] [-D name[=value]] [--cpp out.cpp] [--qrc out.qrc]\n"
                 "                    [--function name] [--types-header file] [--bitmap-prefix /p]\n"
                 "                    [--resource-name name] script.rc\n";
}

// Leaves an unchanged output alone, so that what is built from it is not built again.
bool WriteIfChanged(const std::string& path, const std::string& content)
{
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::ostringstream old;
            old << in.rdbuf();
            if (old.str() == content)
                return true;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) {
        std::cerr << "glossmark-rc: cannot write " << path << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> includeDirs;
    std::vector<std::pair<std::string, std::int64_t>> defines;
    std::string input, cppPath, qrcPath;
    CRcCppWriter::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "-I") includeDirs.push_back(value());
        else if (arg.rfind("-I", 0) == 0) includeDirs.push_back(arg.substr(2));
        else if (arg == "-D" || arg.rfind("-D", 0) == 0) {
            const std::string define = arg == "-D" ? value() : arg.substr(2);
            const auto eq = define.find('=');
            defines.emplace_back(define.substr(0, eq),
                                 eq == std::string::npos ? 1 : std::strtoll(define.c_str() + eq + 1, nullptr, 0));
        }
        else if (arg == "--cpp") cppPath = value();
        else if (arg == "--qrc") qrcPath = value();
        else if (arg == "--function") options.functionName = value();
        else if (arg == "--types-header") options.typesHeader = value();
        else if (arg == "--bitmap-prefix") options.bitmapPrefix = value();
        else if (arg == "--resource-name") options.resourceName = value();
        else if (arg == "-h" || arg == "--help") {
            Usage();
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            std::cerr << "glossmark-rc: unknown option " << arg << "\n";
            Usage();
            return 2;
        } else if (input.empty()) {
            input = arg;
        } else {
            Usage();
            return 2;
        }
    }
    if (input.empty()) {
        Usage();
        return 2;
    }
    options.sourceName = std::filesystem::path(input).filename().string();

    try {
        CRcSymbols symbols;
        for (const auto& [name, number] : defines)
            symbols.DefineNumber(name, number);
        CRcPreprocessor preprocessor(symbols, includeDirs);
        CRcParser parser(preprocessor.ProcessFile(input));
        CRcScript script = parser.Parse();
        for (const std::string& warning : preprocessor.Warnings())
            std::cerr << warning << "\n";
        for (const std::string& warning : script.warnings)
            std::cerr << warning << "\n";
        bool ok = true;
        if (!qrcPath.empty()) {
            std::vector<std::string> warnings;
            const std::string qrc = CRcCppWriter::WriteQrc(script, options, warnings);
            for (const std::string& warning : warnings)
                std::cerr << warning << "\n";
            ok = WriteIfChanged(qrcPath, qrc) && ok;
        }
        if (!cppPath.empty())
            ok = WriteIfChanged(cppPath, CRcCppWriter::WriteCpp(script, options)) && ok;
        return ok ? 0 : 1;
    } catch (const CRcError& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}

#pragma once

// Golden files: a folder of small inputs, each with its expected output next
// to it (input name + ".expected"), walked by one test. With the environment
// variable GLOSSMARK_UPDATE_GOLDEN set the outputs are written instead of
// compared, for a new case or an intended change; review the diff.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace golden {

// The inputs of folder with extension, in name order.
inline std::vector<std::filesystem::path> Inputs(const std::filesystem::path& folder,
                                                 const std::string& extension)
{
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == extension)
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

inline std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Compares actual with the expected output of input.
inline void Expect(const std::filesystem::path& input, const std::string& actual)
{
    const std::filesystem::path expected = input.string() + ".expected";
    if (std::getenv("GLOSSMARK_UPDATE_GOLDEN")) {
        std::ofstream(expected, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(expected)) << expected;
    EXPECT_EQ(Read(expected), actual) << input.filename();
}

} // namespace golden

#pragma once

#include "CRcError.h"
#include "CRcParser.h"
#include "CRcPreprocessor.h"

#include <gtest/gtest.h>

#include <string>

inline CRcScript ParseRc(const std::string& text, const std::string& name = "test.rc")
{
    CRcSymbols symbols;
    CRcPreprocessor preprocessor(symbols);
    CRcParser parser(preprocessor.ProcessText(name, text));
    return parser.Parse();
}

// The error a bad script gives: its line and message.
inline CRcError ParseError(const std::string& text)
{
    try {
        ParseRc(text);
    } catch (const CRcError& error) {
        return error;
    }
    ADD_FAILURE() << "no error for:\n" << text;
    return CRcError("", 0, "");
}

#define EXPECT_RC_ERROR(text, expectedLine, fragment)                                              \
    do {                                                                                           \
        const CRcError error_ = ParseError(text);                                                  \
        EXPECT_EQ(error_.line, expectedLine) << error_.what();                                     \
        EXPECT_NE(error_.message.find(fragment), std::string::npos) << error_.what();              \
        EXPECT_EQ(std::string(error_.what()).rfind("test.rc:" + std::to_string(expectedLine), 0), 0u) \
            << error_.what();                                                                      \
    } while (false)

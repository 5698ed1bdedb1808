// SystemErrorText: the system's text on one line, or the fallback for unknown codes.

#include "SystemError.h"

#include <gtest/gtest.h>

#include <string>

TEST(SystemError, KnownCodesGiveOneTrimmedLineUnknownOnesTheFallback)
{
    struct Case {
        DWORD error;
        const char* fallback;   // expected text when the system has none, else null
    };
    const Case cases[] = {
        {ERROR_DISK_FULL, nullptr},
        {ERROR_ACCESS_DENIED, nullptr},
        {ERROR_FILE_NOT_FOUND, nullptr},
        {ERROR_SHARING_VIOLATION, nullptr},
        {0x20001234, "erreur syst\xE8me 536875572"},   // a customer code bit: never a system text
        {99999, "erreur syst\xE8me 99999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const std::string text = static_cast<const char*>(SystemErrorText(c.error));
        if (c.fallback) {
            EXPECT_EQ(c.fallback, text);
            continue;
        }
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(std::string::npos, text.find_first_of("\r\n")) << text;
        EXPECT_NE(' ', text.back()) << text;
        EXPECT_NE(' ', text.front()) << text;
        EXPECT_EQ(std::string::npos, text.find("erreur syst")) << text;
    }
}

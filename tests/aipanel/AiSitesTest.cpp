// The language the chat sites are asked for, per interface language.
#include "AiSites.h"

#include <gtest/gtest.h>

TEST(AiSites, AcceptLanguageFollowsTheInterfaceLanguage)
{
    const struct
    {
        const char* uiLanguage;
        const char* acceptLanguage;
    } cases[] = {
        {"zh_CN", "zh-CN,zh;q=0.9"}, {"ja_JP", "ja-JP,ja;q=0.9"}, {"en_US", "en-US,en;q=0.9"},
        {"ru_RU", "en-US,en;q=0.9"}, // the sites are asked for English, not Russian or German
        {"de_DE", "en-US,en;q=0.9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(acceptLanguageFor(QString::fromLatin1(c.uiLanguage)), QString::fromLatin1(c.acceptLanguage))
            << c.uiLanguage;
}

// What torepal-cli writes for a person: the character set a locale names,
// and texts in it.
#include <gtest/gtest.h>

#include "text/TerminalText.h"

using namespace torepal;

TEST(TerminalText, TheLocalesSetNamesTheEncoding)
{
    struct Row {
        const char* codeset;
        TerminalCharset charset;
    };
    const Row rows[] = {
        {"UTF-8", TerminalCharset::Utf8},
        {"utf8", TerminalCharset::Utf8},
        {"SHIFT_JIS", TerminalCharset::ShiftJis},
        {"Shift-JIS", TerminalCharset::ShiftJis},
        {"SJIS", TerminalCharset::ShiftJis},
        {"CP932", TerminalCharset::ShiftJis},
        {"WINDOWS-31J", TerminalCharset::ShiftJis},
        {"EUC-JP", TerminalCharset::Other},
        // The C and POSIX locales: plain ASCII holds no Japanese, UTF-8 is written.
        {"ANSI_X3.4-1968", TerminalCharset::Utf8},
        {"", TerminalCharset::Utf8},
    };
    for (const Row& r : rows) EXPECT_EQ(TerminalEncodingOf(r.codeset).charset, r.charset) << r.codeset;
    EXPECT_EQ(TerminalEncodingOf("EUC-JP").name, "EUC-JP");
}

TEST(TerminalText, TextGoesOutInTheTerminalsSet)
{
    const TerminalEncoding utf8 = TerminalEncodingOf("UTF-8");
    const TerminalEncoding sjis = TerminalEncodingOf("SHIFT_JIS");
    const TerminalEncoding euc = TerminalEncodingOf("EUC-JP");

    EXPECT_EQ(ForTerminal("～100g ▼", utf8), "～100g ▼");
    // ～ is 81 60 and ▼ 81 A5 in code page 932; あ is A4 A2 in EUC-JP.
    EXPECT_EQ(ForTerminal("～100g ▼", sjis),
              "\x81\x60"
              "100g \x81\xA5");
    EXPECT_EQ(ForTerminal("あa", euc),
              "\xA4\xA2"
              "a");
    // A character the set cannot hold is one "?", the rest stays.
    EXPECT_EQ(ForTerminal("a\U0001F600b", sjis), "a?b");
    EXPECT_EQ(ForTerminal("", sjis), "");
}

TEST(TerminalText, ASavedTextIsMadeReadable)
{
    const TerminalEncoding utf8 = TerminalEncodingOf("UTF-8");
    const TerminalEncoding sjis = TerminalEncodingOf("CP932");
    // Text mode's CR CR LF and a mail's CR LF become LF; a lone CR stays.
    // ソ is 83 5C, its second byte the backslash.
    const std::string saved = "a\r\r\nb\r\n\x83\x5C\rc";
    EXPECT_EQ(ReadableFromSjis(saved, utf8), "a\nb\nソ\rc");
    EXPECT_EQ(ReadableFromSjis(saved, sjis), "a\nb\n\x83\x5C\rc");
    EXPECT_EQ(ReadableFromSjis("\r\r", utf8), "\r\r");
}

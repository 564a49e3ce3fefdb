#pragma once
// Text written for a person at a terminal (torepal-cli's checks, lists,
// messages and help) goes out in the terminal's own character set, which
// the locale names; the page and mail bytes a script saves are never
// passed through here unless the seller asks to read them.

#include <string>
#include <string_view>

namespace torepal {

enum class TerminalCharset {
    Utf8,
    ShiftJis,  // code page 932: the program's own bytes
    Other,     // any other set iconv knows (EUC-JP ...), by its name
};

struct TerminalEncoding {
    TerminalCharset charset = TerminalCharset::Utf8;
    std::string name;  // the set's name as iconv takes it
};

// The encoding for a locale's character set as nl_langinfo(CODESET) names
// it ("UTF-8", "SHIFT_JIS", "ANSI_X3.4-1968" ...).
TerminalEncoding TerminalEncodingOf(std::string_view codeset);

// UTF-8 text in the terminal's set; a character the set cannot hold
// becomes "?" so the rest of the line still reads.
std::string ForTerminal(std::string_view utf8, const TerminalEncoding& terminal);

// A saved page or mail made readable: its Shift-JIS bytes in the terminal's
// set and its line ends (CR LF, or CR CR LF as text mode writes it) as LF.
std::string ReadableFromSjis(std::string_view sjis, const TerminalEncoding& terminal);

}  // namespace torepal

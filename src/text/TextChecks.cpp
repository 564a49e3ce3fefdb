#include "text/TextChecks.h"

#include <algorithm>

#include "text/Encoding.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

constexpr char kOther = '\x01';  // a character that is no part of an address or a number

// One character of the text, seen as the ASCII character it stands for.
struct Folded {
    char c;
    std::size_t begin;
    std::size_t end;
};

char FoldDoubleByte(unsigned char lead, unsigned char trail)
{
    if (lead == 0x82) {
        if (trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));  // ０-９
        if (trail >= 0x60 && trail <= 0x79) return static_cast<char>('A' + (trail - 0x60));  // Ａ-Ｚ
        if (trail >= 0x81 && trail <= 0x9A) return static_cast<char>('a' + (trail - 0x81));  // ａ-ｚ
        return kOther;
    }
    if (lead != 0x81) return kOther;
    switch (trail) {
        case 0x97:
            return '@';  // ＠
        case 0x44:
            return '.';  // ．
        case 0x46:
            return ':';  // ：
        case 0x5E:
            return '/';  // ／
        case 0x5B:       // ー, written for a dash in telephone numbers
        case 0x5D:       // ‐
        case 0x7C:
            return '-';  // －
        case 0x69:
            return '(';  // （
        case 0x6A:
            return ')';  // ）
        case 0x51:
            return '_';  // ＿
        default:
            return kOther;
    }
}

std::vector<Folded> Fold(std::string_view text)
{
    std::vector<Folded> out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = CharLength(text, i);
        const auto b = static_cast<unsigned char>(text[i]);
        char c = kOther;
        if (n == 2)
            c = FoldDoubleByte(b, static_cast<unsigned char>(text[i + 1]));
        else if (b < 0x80)
            c = static_cast<char>(b);
        out.push_back({c, i, i + n});
        i += n;
    }
    return out;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsAlnum(char c)
{
    return IsDigit(c) || IsLetter(c);
}
char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLocalPartChar(char c)
{
    return IsAlnum(c) || c == '.' || c == '_' || c == '%' || c == '+' || c == '-';
}
bool IsDomainChar(char c)
{
    return IsAlnum(c) || c == '.' || c == '-';
}
// Parentheses and quotes are left out: "（https://…）" and href="…" end there.
bool IsAddressChar(char c)
{
    return IsAlnum(c) || std::string_view("-._~:/?#@!$&*+,;=%").find(c) != std::string_view::npos;
}

std::string Span(std::string_view text, const std::vector<Folded>& f, std::size_t first, std::size_t last)
{
    return std::string(text.substr(f[first].begin, f[last].end - f[first].begin));
}

void AddOnce(std::vector<std::string>& list, std::string found)
{
    if (std::find(list.begin(), list.end(), found) == list.end()) list.push_back(std::move(found));
}

bool FoldedStartsWith(const std::vector<Folded>& f, std::size_t at, std::string_view word)
{
    if (at + word.size() > f.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (Lower(f[at + k].c) != word[k]) return false;
    return true;
}

}  // namespace

std::string CheckLine(const CheckResult& result)
{
    static const std::string colon = Sjis("：");
    return result.field + colon + result.advice;
}

std::size_t SjisCharacterCount(std::string_view sjis)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < sjis.size(); i += CharLength(sjis, i)) ++count;
    return count;
}

std::vector<std::string> FindMailAddresses(std::string_view sjis)
{
    const std::vector<Folded> f = Fold(sjis);
    std::vector<std::string> found;
    for (std::size_t at = 0; at < f.size(); ++at) {
        if (f[at].c != '@') continue;
        std::size_t first = at;
        while (first > 0 && IsLocalPartChar(f[first - 1].c)) --first;
        while (first < at && (f[first].c == '.' || f[first].c == '-')) ++first;
        std::size_t end = at + 1;
        while (end < f.size() && IsDomainChar(f[end].c)) ++end;
        while (end > at + 1 && (f[end - 1].c == '.' || f[end - 1].c == '-')) --end;
        if (first == at || end == at + 1) continue;
        // The host needs a dot and a top-level part of two letters or more.
        std::size_t dot = end;
        for (std::size_t k = at + 1; k < end; ++k)
            if (f[k].c == '.') dot = k;
        if (dot == end || dot == at + 1 || end - dot - 1 < 2) continue;
        bool letters = true;
        for (std::size_t k = dot + 1; k < end; ++k) letters = letters && IsLetter(f[k].c);
        if (!letters) continue;
        AddOnce(found, Span(sjis, f, first, end - 1));
        at = end - 1;
    }
    return found;
}

std::vector<std::string> FindPhoneNumbers(std::string_view sjis)
{
    const std::vector<Folded> f = Fold(sjis);
    auto inRun = [](char c) { return IsDigit(c) || c == '-' || c == '(' || c == ')'; };
    std::vector<std::string> found;
    for (std::size_t at = 0; at < f.size();) {
        if (!IsDigit(f[at].c) && f[at].c != '(') {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < f.size() && inRun(f[end].c)) ++end;
        // A bracket stays when its partner does: "(03)1234-5678".
        std::size_t first = at;
        while (first < end && f[first].c == '-') ++first;
        const bool opened = first < end && f[first].c == '(';
        std::size_t last = end;
        while (last > first && !IsDigit(f[last - 1].c) && !(opened && f[last - 1].c == ')' && last - 1 > first + 1))
            --last;
        // Glued to a letter or a dot, the digits are a model number, a
        // version or part of an address.
        const bool glued = (at > 0 && (IsLetter(f[at - 1].c) || f[at - 1].c == '.' || f[at - 1].c == '_')) ||
                           (end < f.size() && (IsLetter(f[end].c) || f[end].c == '_'));
        std::string digits;
        for (std::size_t k = first; k < last; ++k)
            if (IsDigit(f[k].c)) digits.push_back(f[k].c);
        if (!glued && (digits.size() == 10 || digits.size() == 11) && digits[0] == '0' && digits[1] != '0')
            AddOnce(found, Span(sjis, f, first, last - 1));
        at = end;
    }
    return found;
}

std::string HostOfAddress(std::string_view address)
{
    std::string lower;
    for (char c : address) lower.push_back(Lower(c));
    std::size_t start = lower.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    std::size_t end = lower.find_first_of("/?#:", start);
    if (end == std::string::npos) end = lower.size();
    std::string host = lower.substr(start, end - start);
    const std::size_t at = host.rfind('@');
    if (at != std::string::npos) host.erase(0, at + 1);
    return host;
}

std::vector<std::string> FindWebAddresses(std::string_view sjis, const std::vector<std::string>& allowedHosts)
{
    const std::vector<Folded> f = Fold(sjis);
    std::vector<std::string> found;
    for (std::size_t at = 0; at < f.size(); ++at) {
        const bool startsWord = at == 0 || !IsAlnum(f[at - 1].c);
        const bool scheme = FoldedStartsWith(f, at, "http://") || FoldedStartsWith(f, at, "https://");
        if (!startsWord || !(scheme || FoldedStartsWith(f, at, "www."))) continue;
        std::size_t end = at;
        while (end < f.size() && IsAddressChar(f[end].c)) ++end;
        while (end > at && (f[end - 1].c == '.' || f[end - 1].c == ',')) --end;
        std::string folded;
        for (std::size_t k = at; k < end; ++k) folded.push_back(f[k].c);
        const std::string host = HostOfAddress(folded);
        const std::size_t start = at;
        at = end - 1;
        if (host.empty() || host == "www.") continue;
        bool allowed = false;
        for (const std::string& own : allowedHosts) {
            allowed = allowed || host == own ||
                      (host.size() > own.size() && host.compare(host.size() - own.size(), own.size(), own) == 0 &&
                       host[host.size() - own.size() - 1] == '.');
        }
        if (!allowed) AddOnce(found, Span(sjis, f, start, end - 1));
    }
    return found;
}

std::vector<std::string> FindMachineDependentCharacters(std::string_view sjis)
{
    std::vector<std::string> found;
    for (std::size_t i = 0; i < sjis.size(); i += CharLength(sjis, i)) {
        if (CharLength(sjis, i) != 2) continue;
        const auto lead = static_cast<unsigned char>(sjis[i]);
        // 87: the NEC special row; ED-EE: NEC-selected IBM extensions;
        // F0-F9: user-defined; FA-FC: IBM extensions.
        if (lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xF0)
            AddOnce(found, std::string(sjis.substr(i, 2)));
    }
    return found;
}

}  // namespace torepal

#include "mail/ComposeMail.h"

#include <limits>

#include "text/Encoding.h"
#include "text/Lines.h"
#include "text/SjisText.h"

namespace torepal {

std::string BuildAccountText(const BankAccount& a, std::size_t row)
{
    static const std::string bankName = Sjis("銀行名："), branch = Sjis("\r\n支店名："), holder = Sjis("\r\n名義："),
                             number = Sjis("\r\n口座番号："), ordinary = Sjis("口座種別：普通口座"),
                             current = Sjis("口座種別：当座口座"), paruru = Sjis("ぱるる\r\n記号："),
                             furikae = Sjis("郵便振替\r\n記号："), postalNumber = Sjis("\r\n番号：");
    if (row == kParuruRow || row == kFurikaeRow)
        return (row == kParuruRow ? paruru : furikae) + a.branch + postalNumber + a.number + holder + a.holder + "\r\n";
    return bankName + a.bankName + branch + a.branch + holder + a.holder + number + a.number + "\r\n" +
           (a.kind == 0 ? ordinary : current) + "\r\n";
}

namespace {

// The two-byte Shift-JIS characters a price may be typed with.
constexpr char kIdeographicSpace[] = "\x81\x40";
constexpr char kFullWidthYen[] = "\x81\x8F";
constexpr char kFullWidthMinus[] = "\x81\x7C";
constexpr char kFullWidthComma[] = "\x81\x43";

bool At(std::string_view text, std::size_t i, const char (&pair)[3])
{
    return i + 1 < text.size() && text[i] == pair[0] && text[i + 1] == pair[1];
}

// The value of the digit at `i` (ASCII or full-width ０-９, 82 4F-82 58) and
// how many bytes it takes; 0 bytes when there is none.
std::size_t DigitAt(std::string_view text, std::size_t i, int& digit)
{
    if (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        digit = text[i] - '0';
        return 1;
    }
    if (i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0x82) {
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (trail >= 0x4F && trail <= 0x58) {
            digit = trail - 0x4F;
            return 2;
        }
    }
    return 0;
}

// The width of a digit-group comma at `i`, either half- or full-width.
std::size_t CommaAt(std::string_view text, std::size_t i)
{
    if (i < text.size() && text[i] == ',') return 1;
    return At(text, i, kFullWidthComma) ? 2 : 0;
}

// Reads a price as ParseMailNumber describes it, from the start of `text`;
// `end` is where reading stopped and `digits` how many digits it took.
std::int64_t ScanMailNumber(std::string_view text, std::size_t& end, int& digits)
{
    constexpr std::int64_t kBeyond = std::int64_t{1} << 32;  // further digits cannot bring it back in range
    std::size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
    for (;;) {
        if (i < text.size() && blank(text[i]))
            ++i;
        else if (At(text, i, kIdeographicSpace))
            i += 2;
        else
            break;
    }
    // Sellers copy prices as the auction shows them ("\12,800", "￥12,800");
    // the yen sign comes before any sign.
    if (i < text.size() && text[i] == '\\')
        ++i;
    else if (At(text, i, kFullWidthYen))
        i += 2;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    } else if (At(text, i, kFullWidthMinus)) {
        negative = true;
        i += 2;
    }
    std::int64_t value = 0;
    int digit = 0;
    digits = 0;
    for (std::size_t width = DigitAt(text, i, digit); width != 0; width = DigitAt(text, i, digit)) {
        if (value < kBeyond) value = value * 10 + digit;
        i += width;
        ++digits;
        // A comma counts only between two digits; "12," stops at the comma.
        const std::size_t comma = CommaAt(text, i);
        int next = 0;
        if (comma != 0 && DigitAt(text, i + comma, next) != 0) i += comma;
    }
    end = i;
    return negative ? -value : value;
}

}  // namespace

std::int32_t ParseMailNumber(std::string_view text)
{
    std::size_t end = 0;
    int digits = 0;
    const std::int64_t value = ScanMailNumber(text, end, digits);
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

bool ReadsWholeAsPrice(std::string_view text)
{
    static const std::string yen = Sjis("円");
    std::size_t end = 0;
    int digits = 0;
    ScanMailNumber(text, end, digits);
    if (digits == 0) return false;
    std::string_view rest = text.substr(end);
    auto skipBlanks = [&rest] {
        for (;;) {
            if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
                rest.remove_prefix(1);
            else if (rest.size() >= 2 && rest[0] == kIdeographicSpace[0] && rest[1] == kIdeographicSpace[1])
                rest.remove_prefix(2);
            else
                return;
        }
    };
    skipBlanks();
    if (rest.substr(0, yen.size()) == yen) rest.remove_prefix(yen.size());
    skipBlanks();
    if (!rest.empty()) return false;
    return true;
}

std::string MailSum(std::string_view fauc, std::string_view ftrans)
{
    // Two 32-bit values always fit a 64-bit sum: the total is shown exactly
    // instead of wrapping round to a negative amount.
    const std::int64_t sum = std::int64_t{ParseMailNumber(fauc)} + ParseMailNumber(ftrans);
    return std::to_string(sum);
}

std::string BuildBankText(MailState& state)
{
    for (std::size_t row = 0; row < kAccountCount; ++row)
        state.accountText[row] = BuildAccountText(state.accounts[row], row);
    std::string bank;
    if (state.useAccount[0]) bank = state.accountText[0];
    for (std::size_t row = 1; row < kAccountCount; ++row)
        if (state.useAccount[row]) bank += "\r\n" + state.accountText[row];
    return bank;
}

void ComposeMail(MailState& state, std::string_view templateBytes)
{
    std::string work = NormalizedLinesCrLf(templateBytes);
    // The order matters: a value holding a placeholder of a later step is
    // filled by that step.
    state.sum = MailSum(state.fauc, state.ftrans);
    state.bank = BuildBankText(state);
    ReplaceEach(work, {
                          {"[myname]", state.myname},
                          {"[post]", state.post},
                          {"[zip]", state.zip},
                          {"[tel]", state.tel},
                          {"[ktel]", state.ktel},
                          {"[item]", state.item},
                          {"[name]", state.name},
                          {"[transmen]", state.transmen},
                          {"[transnum]", state.transnum},
                          {"[fauc]", state.fauc},
                          {"[ftrans]", state.ftrans},
                          {"[sum]", state.sum},
                          {"[bank]", state.bank},
                      });
    state.body = std::move(work);
}

}  // namespace torepal

// The project-file reader on arbitrary bytes, and the writer on arbitrary
// records. What reads as a project writes out and reads back as the same
// record; whatever record the forms hold writes out as a file that reads
// back (with line breaks dropped from the one-line values), so a save can
// always be opened again.
//
// Input: one byte; if it is even, the rest is a file to read; if odd, the
// rest fills a record field by field.

#include "FuzzSupport.h"
#include "app/ProjectFile.h"
#include "text/Lines.h"
#include "text/SjisText.h"

namespace {

using namespace torepal;

bool Same(const ProjectRecord& a, const ProjectRecord& b)
{
    const PlateFlags& f = a.flags;
    const PlateFlags& g = b.flags;
    const CarrierTicks& c = f.carriers;
    const CarrierTicks& d = g.carriers;
    return a.Title == b.Title && a.Items == b.Items && a.trans == b.trans && a.Others == b.Others &&
           a.TOthers == b.TOthers && a.color == b.color && a.bgcolor == b.bgcolor && a.fcolor == b.fcolor &&
           a.yahooId == b.yahooId && a.mytext == b.mytext && f.payment.accounts == g.payment.accounts &&
           f.payment.yahooEasy == g.payment.yahooEasy && f.payment.stamps == g.payment.stamps && c.yamato == d.yamato &&
           c.sagawa == d.sagawa && c.yuPack == d.yuPack && c.yahooYuPack == d.yahooYuPack &&
           c.teikeigai == d.teikeigai && c.sasshi == d.sasshi && c.kuronekoMail == d.kuronekoMail &&
           c.expack == d.expack && f.center == g.center && f.left == g.left && f.linkOff == g.linkOff &&
           f.linkOn == g.linkOn && a.selections.weight == b.selections.weight &&
           a.selections.size == b.selections.size && a.selections.origin == b.selections.origin &&
           a.selections.type == b.selections.type && a.myname == b.myname && a.zip == b.zip && a.tel == b.tel &&
           a.post == b.post && a.ktel == b.ktel && a.item == b.item && a.name == b.name && a.fauc == b.fauc &&
           a.bidderMail == b.bidderMail && a.transnum == b.transnum && a.transmen == b.transmen &&
           a.ftrans == b.ftrans && a.useAccount == b.useAccount && a.accounts == b.accounts;
}

// A multi-line value as the reader gives it back: its lines without CR,
// joined by CR LF.
std::string AsRead(std::string_view value)
{
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = value.find('\n', start);
        const std::string_view line = value.substr(start, lf == std::string_view::npos ? value.npos : lf - start);
        for (char c : line)
            if (c != '\r') out += c;
        if (lf == std::string_view::npos) break;
        out += "\r\n";
        start = lf + 1;
    }
    return out;
}

void CheckFile(std::string_view bytes)
{
    std::string message;
    const std::optional<ProjectRecord> read = ParseProjectText(bytes, &message);
    if (!read) {
        FUZZ_CHECK(!message.empty());  // the seller is told why
        return;
    }
    const std::string text = BuildProjectText(*read);
    // Written the way the program writes it, and also as CR LF and LF only.
    for (const std::string& onDisk : {ToTextMode(text), text, Replaced(text, "\r\n", "\n")}) {
        const std::optional<ProjectRecord> again = ParseProjectText(onDisk);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(Same(*read, *again));
    }
    FUZZ_CHECK(BuildProjectText(*ParseProjectText(ToTextMode(text))) == text);
}

void CheckRecord(fuzz::InputReader& in)
{
    ProjectRecord r;
    for (std::string* v : {&r.Items, &r.trans, &r.Others}) *v = std::string(in.piece(40));
    for (std::string* v :
         {&r.Title, &r.TOthers, &r.color, &r.bgcolor, &r.fcolor, &r.yahooId, &r.mytext, &r.myname, &r.zip, &r.tel,
          &r.post, &r.ktel, &r.item, &r.name, &r.fauc, &r.bidderMail, &r.transnum, &r.transmen, &r.ftrans})
        *v = std::string(in.piece(12));
    for (BankAccount& a : r.accounts) {
        for (std::string* v : {&a.bankName, &a.branch, &a.holder, &a.number}) *v = std::string(in.piece(8));
        const std::uint32_t k = in.byte() | (in.byte() << 8) | (in.byte() << 16) | (std::uint32_t{in.byte()} << 24);
        a.kind = static_cast<std::int32_t>(k);
    }
    const std::uint32_t bits = in.byte() | (in.byte() << 8) | (in.byte() << 16) | (std::uint32_t{in.byte()} << 24);
    auto bit = [&](int i) { return ((bits >> i) & 1u) != 0; };
    for (int k = 0; k < 6; ++k) {
        r.flags.payment.accounts[static_cast<std::size_t>(k)] = bit(k);
        r.useAccount[static_cast<std::size_t>(k)] = bit(6 + k);
    }
    r.flags.payment.yahooEasy = bit(12);
    r.flags.payment.stamps = bit(13);
    CarrierTicks& c = r.flags.carriers;
    bool* carriers[] = {&c.yamato,    &c.sagawa, &c.yuPack,       &c.yahooYuPack,
                        &c.teikeigai, &c.sasshi, &c.kuronekoMail, &c.expack};
    for (int k = 0; k < 8; ++k) *carriers[k] = bit(14 + k);
    r.flags.center = bit(22);
    r.flags.left = bit(23);
    r.flags.linkOff = bit(24);
    r.flags.linkOn = bit(25);
    // A combo holds at most 47 entries or none.
    for (int* s : {&r.selections.weight, &r.selections.size, &r.selections.origin, &r.selections.type})
        *s = in.byte() % 49 - 1;

    const std::string text = BuildProjectText(r);
    const std::optional<ProjectRecord> back = ParseProjectText(ToTextMode(text));
    FUZZ_CHECK(back.has_value());

    ProjectRecord expected = r;
    for (std::string* v : {&expected.Items, &expected.trans, &expected.Others}) *v = AsRead(*v);
    for (std::string* v : {&expected.Title, &expected.TOthers, &expected.color, &expected.bgcolor, &expected.fcolor,
                           &expected.yahooId, &expected.mytext, &expected.myname, &expected.zip, &expected.tel,
                           &expected.post, &expected.ktel, &expected.item, &expected.name, &expected.fauc,
                           &expected.bidderMail, &expected.transnum, &expected.transmen, &expected.ftrans})
        *v = WithoutLineBreaks(*v);
    for (BankAccount& a : expected.accounts)
        for (std::string* v : {&a.bankName, &a.branch, &a.holder, &a.number}) *v = WithoutLineBreaks(*v);
    FUZZ_CHECK(Same(*back, expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    if (in.byte() % 2 == 0)
        CheckFile(in.rest());
    else
        CheckRecord(in);
    return 0;
}

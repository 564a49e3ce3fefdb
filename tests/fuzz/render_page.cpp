// The listing page and the mail from whatever the forms and settings files
// can hold: combo indexes from a damaged plate.ini or project file (any
// 32-bit value), every tick and radio state, texts of any bytes, templates
// of any bytes. Nothing may read outside its tables, and the outputs keep
// their basic shape.
//
// Input: one byte choosing the page (even) or the mail (odd), then the
// values.

#include "FuzzSupport.h"
#include "mail/ComposeMail.h"
#include "plate/PlateSettings.h"
#include "plate/RenderPage.h"
#include "store/SettingsFiles.h"
#include "text/Lines.h"

namespace {

using namespace torepal;

std::int32_t Int(fuzz::InputReader& in)
{
    const std::uint8_t kind = in.byte();
    // Mostly values near the lists' lengths, sometimes anything at all.
    if (kind < 200) return kind % 60 - 5;
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | in.byte();
    return static_cast<std::int32_t>(v);
}

void Page(fuzz::InputReader& in)
{
    PlateState state;
    PlateFlags flags;
    const std::uint8_t use = in.byte();
    if (use & 1) {
        // Through plate.ini, as the page does at start.
        CPSave record;
        DecodePlate(in.piece(255), record);
        int origin = 0;
        int type = 0;
        ApplyPlateSettings(record, state, flags, origin, type);
        state.originIndex = origin;
        state.templateType = type;
    } else {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits = (bits << 8) | in.byte();
        auto bit = [&](int i) { return ((bits >> i) & 1u) != 0; };
        for (int k = 0; k < 6; ++k) flags.payment.accounts[static_cast<std::size_t>(k)] = bit(k);
        flags.payment.yahooEasy = bit(6);
        flags.payment.stamps = bit(7);
        CarrierTicks& c = flags.carriers;
        bool* carriers[] = {&c.yamato,    &c.sagawa, &c.yuPack,       &c.yahooYuPack,
                            &c.teikeigai, &c.sasshi, &c.kuronekoMail, &c.expack};
        for (int k = 0; k < 8; ++k) *carriers[k] = bit(8 + k);
        flags.center = bit(16);
        flags.left = bit(17);
        flags.linkOff = bit(18);
        flags.linkOn = bit(19);
        flags.phoneFit = bit(20);
        state.originIndex = Int(in);
        state.templateType = Int(in);
    }
    state.weightIndex = Int(in);
    state.sizeIndex = Int(in);
    for (std::string* v : {&state.Title, &state.Items, &state.trans, &state.TOthers, &state.Others, &state.color,
                           &state.bgcolor, &state.fcolor, &state.mytext, &state.yahooId})
        *v = std::string(in.piece(24));
    for (BankAccount& a : state.accounts) {
        for (std::string* v : {&a.bankName, &a.branch, &a.number, &a.holder}) *v = std::string(in.piece(8));
        a.kind = Int(in);
    }
    state.page = "stale";
    RenderPage(state, flags);
    const PlateState first = state;
    RenderPage(state, flags);  // the same values give the same page
    FUZZ_CHECK(state.page == first.page && state.sdata == first.sdata && state.pdata == first.pdata);
    FUZZ_CHECK(state.page != "stale");
}

void Mail(fuzz::InputReader& in)
{
    MailState state;
    for (std::string* v : {&state.myname, &state.post, &state.zip, &state.tel, &state.ktel, &state.item, &state.name,
                           &state.transmen, &state.transnum, &state.fauc, &state.ftrans, &state.bidderMail})
        *v = std::string(in.piece(16));
    const std::uint8_t ticks = in.byte();
    for (std::size_t k = 0; k < kAccountCount; ++k) state.useAccount[k] = ((ticks >> k) & 1u) != 0;
    for (BankAccount& a : state.accounts) {
        for (std::string* v : {&a.bankName, &a.branch, &a.number, &a.holder}) *v = std::string(in.piece(8));
        a.kind = Int(in);
    }
    const std::string_view templateBytes = in.rest();
    ComposeMail(state, templateBytes);
    const std::string& body = state.body;
    if (!templateBytes.empty())
        FUZZ_CHECK(body.size() >= 2 && body.compare(body.size() - 2, 2, "\r\n") == 0);
    else
        FUZZ_CHECK(body.empty());
    if (templateBytes.find('[') == std::string_view::npos) FUZZ_CHECK(body == NormalizedLinesCrLf(templateBytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    if (in.byte() % 2 == 0)
        Page(in);
    else
        Mail(in);
    return 0;
}

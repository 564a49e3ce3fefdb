#include "plate/RenderPage.h"

#include "plate/PageTemplates.h"
#include "plate/PaymentText.h"
#include "plate/PhoneFitting.h"
#include "shipping/ShippingText.h"
#include "shipping/TariffLookup.h"
#include "text/SjisText.h"

namespace torepal {

void RenderPage(PlateState& state, const PlateFlags& flags, std::span<const Tariff> currentServices)
{
    // The order of the steps is what the seller sees: the seller's texts go
    // in before the colour and line-break replacements (so placeholder text
    // typed into a field is itself replaced later), and the booth banner is
    // appended afterwards, keeping its own line breaks.
    state.sdata.clear();

    PageTemplate t;
    const PageTemplate* chosen =
        flags.phoneFit ? FittingTemplateOfType(state.templateType) : TemplateOfType(state.templateType);
    if (chosen) t = *chosen;
    std::string& frame = t.frame;

    // タイプ３ has no "<data3>" in its frame: the extra section stands in the
    // item section.
    if (state.templateType == 2 && !state.Others.empty()) ReplaceAll(t.item, "<data3>", t.others);

    const ParcelChoice parcel{state.weightIndex, state.sizeIndex, state.originIndex, state.thicknessIndex};
    BuildShippingTextCarriers(state.sdata, flags.carriers, parcel);

    // The separator under the note is wanted only when price text follows.
    ReplaceAll(t.shipping, "<trans>", state.trans.empty() ? std::string() : state.trans + "<br><hr>");

    BuildShippingTextMailClasses(state.sdata, flags.carriers, state.weightIndex);
    AppendCurrentServices(state.sdata, currentServices, parcel);

    if (!state.sdata.empty()) {
        ReplaceAll(frame, "<data2>", t.shipping);
        ReplaceAll(frame, "<sdata>", state.sdata);
    } else if (!state.trans.empty()) {
        ReplaceAll(t.shipping, "<br><hr>", "");
        ReplaceAll(frame, "<data2>", t.shipping);
    }

    state.pdata = BuildPaymentText(flags.payment, state.accounts);

    std::string banner;
    if (flags.linkOn) banner = Replaced(flags.phoneFit ? FittingBoothBanner() : BoothBanner(), "mytext", state.mytext);
    ReplaceAll(banner, "yahoo-id", state.yahooId);

    ReplaceAll(t.item, "<myboot>", "");
    if (!state.Others.empty()) ReplaceAll(frame, "<data3>", t.others);
    ReplaceAll(frame, "<data1>", t.item);
    if (!state.pdata.empty()) {
        ReplaceAll(t.payment, "<pdata>", state.pdata);
        ReplaceAll(frame, "<data4>", t.payment);
    }

    ReplaceEach(frame, {
                           {"<Title>", state.Title},
                           {"<TOthers>", state.TOthers},
                           {"<Others>", state.Others},
                           {"<Items>", state.Items},
                           {"<fcolor>", state.fcolor},
                           {"<bgcolor>", state.bgcolor},
                           {"\r\n", "<br>"},
                       });

    state.page = std::move(frame);
    ReplaceAll(state.page, "<color>", state.color);
    state.page += banner;

    // A stored file may turn on both buttons or neither: with both, 左寄せ
    // has taken every tag before 中央 looks; with neither, the tags stay.
    if (flags.left) {
        ReplaceAll(state.page, "<state>", "<left>");
        ReplaceAll(state.page, "</state>", "</left>");
    }
    if (flags.center) {
        ReplaceAll(state.page, "<state>", "<center>");
        ReplaceAll(state.page, "</state>", "</center>");
    }
}

}  // namespace torepal

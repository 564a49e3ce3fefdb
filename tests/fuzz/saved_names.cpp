// The names of saved pages and mails from any title or item a seller can
// type or a project file can bring: every one is a single, legal file name
// inside back/ (no separator, no control character, within 255 bytes on
// disk), ends as it should, and is the same each time.
//
// Input: four bytes for the clock (month, day, hour, minute), the title.

#include "FuzzSupport.h"
#include "mail/MailFiles.h"
#include "plate/SavedPages.h"
#include "platform/Platform.h"
#include "text/Encoding.h"
#include "text/Files.h"

namespace {

using namespace torepal;

void CheckName(const std::string& name, std::string_view ending)
{
    const std::string utf8 = Utf8FromSjis(name);
    FUZZ_CHECK(!utf8.empty() && utf8.size() <= 255);
    FUZZ_CHECK(utf8.size() >= ending.size() && utf8.compare(utf8.size() - ending.size(), ending.size(), ending) == 0);
    FUZZ_CHECK(utf8.find('/') == std::string::npos);
    FUZZ_CHECK(utf8.find('\\') == std::string::npos);  // JoinSjis takes it for a separator
    for (unsigned char c : utf8) FUZZ_CHECK(c >= 0x20 && c != 0x7F);
    FUZZ_CHECK(!IsWriteTemporary(utf8));

    const std::filesystem::path folder = "/program";
    const std::filesystem::path path = JoinSjis(folder, "back/" + name);
    FUZZ_CHECK(path.parent_path() == folder / "back");
    FUZZ_CHECK(path.filename().string() == utf8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    LocalTime t;
    t.month = 1 + in.byte() % 12;
    t.day = 1 + in.byte() % 31;
    t.hour = in.byte() % 24;
    t.minute = in.byte() % 60;
    const std::string stamp = FormatTimeStamp(t);
    const std::string title(in.rest());

    const std::string page = SavedPageName(stamp, title);
    CheckName(page, ".html");
    FUZZ_CHECK(Utf8FromSjis(page).size() <= kLongestPageFileName);
    FUZZ_CHECK(SavedPageName(stamp, title) == page);

    const std::string mail = SavedMailName(stamp, title);
    CheckName(mail, ".txt");
    FUZZ_CHECK(SavedMailName(stamp, title) == mail);
    return 0;
}

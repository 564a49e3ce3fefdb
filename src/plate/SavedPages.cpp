#include "plate/SavedPages.h"

#include "text/Encoding.h"
#include "text/Lines.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

// What a character of the title becomes in the file name. Separators and
// control characters cannot stand in a name (JoinSjis reads "\" as a
// separator too); a character that does not decode would reach the disk
// as U+FFFD, a name the file list could not give back.
std::string NameCharacter(std::string_view ch, std::string& utf8)
{
    static const std::string slash = Sjis("／");
    static const std::string backslash = Sjis("＼");
    static const std::string unknown = Sjis("？");
    const unsigned char b = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1 && (b < 0x20 || b == 0x7F || b == '/')) {
        utf8 = Utf8FromSjis(slash);
        return slash;
    }
    if (ch.size() == 1 && b == '\\') {
        utf8 = Utf8FromSjis(backslash);
        return backslash;
    }
    utf8 = Utf8FromSjis(ch);
    if (!IsValidSjis(ch) || utf8.find('/') != std::string::npos || utf8.find('\\') != std::string::npos) {
        utf8 = Utf8FromSjis(unknown);
        return unknown;
    }
    return std::string(ch);
}

}  // namespace

std::string SavedPageName(const std::string& stamp, const std::string& title)
{
    static const std::string head = Sjis("【プレート ～");
    static const std::string middle = Sjis("～ 】--");
    static const std::string tail = ".html";

    const std::string prefix = head + stamp + middle;
    std::size_t utf8Length = Utf8FromSjis(prefix).size() + tail.size();

    std::string name = prefix;
    std::string utf8;
    for (std::size_t pos = 0; pos < title.size();) {
        const std::size_t len = CharLength(title, pos);
        const std::string ch = NameCharacter(std::string_view(title).substr(pos, len), utf8);
        if (utf8Length + utf8.size() > kLongestPageFileName)
            break;
        utf8Length += utf8.size();
        name += ch;
        pos += len;
    }
    return name + tail;
}

std::filesystem::path SavedPagePath(const std::filesystem::path& programFolder, const std::string& name)
{
    return JoinSjis(programFolder, "back/" + name);
}

std::filesystem::path PreviewPath(const std::filesystem::path& programFolder)
{
    return JoinSjis(programFolder, kPreviewFileName);
}

WriteStatus WritePageFile(const std::filesystem::path& path, const std::string& page)
{
    return WriteFileAtomically(path, ToTextMode(page));
}

std::string PageNotSavedMessage(const std::string& name, bool folderMissing)
{
    std::string text = Sjis("ページをファイルに保存できませんでした。\r\n") + name + "\r\n\r\n";
    if (folderMissing)
        text += Sjis("保存先のフォルダ「back」がありません。プログラムのフォルダに「back」を作ってから、もう一度保存してください。");
    else
        text += Sjis("保存先のフォルダ「back」に書き込めるか、ディスクに空きがあるかを確かめてください。");
    text += Sjis("\r\n\r\nページは消えていません。次の画面でクリップボードへコピーできます。");
    return text;
}

std::string PreviewNotWrittenMessage()
{
    return Sjis("プレビュー用のファイル「menu_preview.html」を書き込めませんでした。\r\n"
                "プログラムのフォルダに書き込めるか、ディスクに空きがあるかを確かめてください。\r\n\r\n"
                "ページは消えていません。次の画面でクリップボードへコピーできます。");
}

}  // namespace torepal

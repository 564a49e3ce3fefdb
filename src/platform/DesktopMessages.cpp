// The texts the pages show about the desktop: a missing program, a success
// in the status line, unsaved edits.
#include <string>

#include "platform/Platform.h"
#include "text/Encoding.h"

namespace torepal {

std::string NoHandlerQuestion(DesktopHandler kind, const std::string& offer)
{
    static const std::string mail = Sjis("メールを開くプログラムがこのパソコンに設定されていません。");
    static const std::string web = Sjis("ホームページを開くブラウザがこのパソコンに設定されていません。");
    static const std::string html = Sjis("ページ（.html）を開くブラウザがこのパソコンに設定されていません。");
    static const std::string ask = Sjis("\r\n\r\n代わりに"), end = Sjis("しますか？");
    const std::string& head = kind == DesktopHandler::Mail ? mail : kind == DesktopHandler::Web ? web : html;
    return head + ask + offer + end;
}

std::string CopiedBytesMessage(std::size_t bytes)
{
    static const std::string tail = Sjis(" バイトをコピーしました");
    return std::to_string(bytes) + tail;
}

std::string SavedMessage(const std::string& sjisName)
{
    static const std::string head = Sjis("「"), tail = Sjis("」を保存しました");
    return head + sjisName + tail;
}

std::string UnsavedEditsQuestion(const std::string& sjisWhat)
{
    static const std::string head = Sjis("「"), tail = Sjis(
                                                    "」の変更がまだ保存されていません。\r\n"
                                                    "保存しますか？（「破棄」で変更を捨てます）");
    return head + sjisWhat + tail;
}

}  // namespace torepal

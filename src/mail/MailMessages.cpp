#include "mail/MailMessages.h"

#include "text/Encoding.h"

namespace torepal {

std::string MailTooLargeMessage()
{
    static const std::string text = Sjis("ファイルのサイズが大きすぎます！");
    return text;
}

std::string NoTemplateMessage()
{
    static const std::string text = Sjis(
        "メールテンプレートが選択されていません。\r\n"
        "「file」フォルダにメールテンプレート（.txt）を置いてから、"
        "プログラムを起動し直してください。");
    return text;
}

std::string TemplateUnreadableMessage(const std::string& sjisName)
{
    static const std::string head = Sjis("メールテンプレート「"), tail = Sjis(
                                                                      "」を読み込めませんでした。\r\n"
                                                                      "ファイルがあるか確かめてください。");
    return head + sjisName + tail;
}

std::string MailNotSavedMessage(const std::string& sjisFileName)
{
    static const std::string head = Sjis("メールを保存できませんでした。\r\n"),
                             tail = Sjis(
                                 "\r\n\r\n「back」フォルダがあるか、ディスクに空きがあるかを"
                                 "確かめてください。");
    return head + sjisFileName + tail;
}

std::string NothingToSaveMessage()
{
    static const std::string text = Sjis("保存するメールテンプレートが読み込まれていません。");
    return text;
}

std::string TemplateNotSavedMessage(const std::string& sjisName)
{
    static const std::string head = Sjis("メールテンプレート「"),
                             tail = Sjis(
                                 "」を保存できませんでした。\r\n"
                                 "ファイルが書き込めるか、ディスクに空きがあるかを確かめてください。"
                                 "\r\nファイルは元のまま残っています。");
    return head + sjisName + tail;
}

}  // namespace torepal

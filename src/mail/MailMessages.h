#pragma once
// What the mail page and the template editor tell the seller (Shift-JIS).

#include <string>

namespace torepal {

// The mailer hand-off's size limit.
std::string MailTooLargeMessage();

// "プレビュー・更新" with no template in the list or none chosen.
std::string NoTemplateMessage();

// A template that is not there any more, is not a file or cannot be read.
std::string TemplateUnreadableMessage(const std::string& sjisName);

// The saved mail could not be written (no back/ folder, a full disk ...).
std::string MailNotSavedMessage(const std::string& sjisFileName);

// The editor's "保存" when no template text was loaded.
std::string NothingToSaveMessage();

// The editor could not write the template back.
std::string TemplateNotSavedMessage(const std::string& sjisName);

}  // namespace torepal

#pragma once
// "メールテンプレート編集": a modeless window beside the mail page for
// reading and rewriting the templates in file/, with the table of
// placeholders. One window per mail page; closing it hides it. Edits are
// never dropped without a question.

#include <QDialog>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "mail/MailFiles.h"

namespace Ui {
class CMailEdit;
}

namespace torepal {

class DesktopPlatform;

class CMailEdit : public QDialog {
    Q_OBJECT
public:
    CMailEdit(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~CMailEdit() override;

    // Lists the templates afresh, selects the first and loads it. With no
    // template the list, the text and the count stay empty.
    void openFresh();

    // "保存": the text into the template it was loaded from. Refused (with
    // a message) when nothing was loaded; false when it could not be
    // written (the old file is then untouched).
    bool save();

    // The name of the template whose text is shown, if any.
    std::optional<std::string> loadedName() const;

    // OK, キャンセル, Escape and the close box: edits not yet saved are
    // asked about first (保存 / 破棄 / キャンセル); キャンセル keeps the window.
    void accept() override;
    void reject() override;

private:
    void loadSelected();
    // True when nothing unsaved would be lost, the seller having chosen
    // 保存 (and it was written) or 破棄.
    bool settleUnsaved();
    void showByteCount();

    DesktopPlatform& platform_;
    std::filesystem::path folder_;
    std::unique_ptr<Ui::CMailEdit> ui_;
    std::vector<TemplateEntry> templates_;
    int loadedIndex_ = -1;  // the entry whose text is in the edit
    QString loadedText_;    // the edit as loaded or last saved: what differs is unsaved
};

}  // namespace torepal

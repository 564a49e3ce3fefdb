#pragma once
// The "ファイル管理" page: lists the pages and mails saved in back/, shows
// the selected one in an edit box where it can be changed and written back,
// opens it with its associated program, copies it, hands it to the mail
// program and deletes it.

#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/SavedFileList.h"

namespace Ui {
class CFileControl;
}

namespace torepal {

class DesktopPlatform;

class CFileControl : public QWidget {
    Q_OBJECT

public:
    CFileControl(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~CFileControl() override;

    // Re-lists the folder (at start-up).
    void refreshList();
    // The tab was chosen: re-list, select the first entry and show it.
    void tabSelected();

    // The buttons' operations.
    void deleteFile();
    void startMailer();
    void preview();
    void copyText();
    void writeBack();
    // Puts the file chosen under "削除したファイル" back into back/ and
    // shows it.
    void restoreDeleted();

    // Before the shown text is replaced (another entry, another tab, a
    // deletion): edits not yet written back are asked about (保存 / 破棄 /
    // キャンセル). True when the page may go on; false when the seller
    // chose to stay, or 保存 could not write.
    bool settleUnsaved();

private:
    void showSelected();
    void selectFirst();
    int selectedRow() const;
    bool writeRow(int row);
    void copyShown();
    void listDeleted();

    DesktopPlatform& platform_;
    SavedFileList files_;
    // The text as last shown or written back: what copy and the mail
    // hand-off take, whatever has been typed since.
    std::string text_;
    bool loaded_ = false;
    int shownRow_ = -1;               // the entry whose text the edit box holds
    QString shownText_;               // the box as last shown or written back
    std::vector<SavedFile> deleted_;  // as "削除したファイル" lists them

    std::unique_ptr<Ui::CFileControl> ui_;
};

}  // namespace torepal

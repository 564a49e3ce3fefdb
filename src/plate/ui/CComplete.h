#pragma once
// The result dialog "完成！": the finished page in an edit, its size in
// bytes, and a button that copies the page to the clipboard. The copy takes
// the page as rendered, not what the seller may have typed into the edit,
// and the dialog stays open afterwards.

#include <QDialog>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextChecks.h"

namespace Ui {
class CComplete;
}

namespace torepal {

class DesktopPlatform;

class CComplete : public QDialog {
    Q_OBJECT

public:
    explicit CComplete(DesktopPlatform& platform, QWidget* parent = nullptr);
    ~CComplete() override;

    // The page text and the shown text both become `page`; the byte count
    // is its length in Shift-JIS bytes.
    void setPage(const std::string& page);
    const std::string& page() const { return page_; }

    // The checks of the finished listing beside the byte count, and the
    // title's character count ("n/65"). Until this is called the dialog
    // shows the page and its byte count only.
    void setListing(std::string_view title, const std::vector<CheckResult>& checks);

    // "クリップボードへコピー".
    void copyPage();

signals:
    // The page is on the clipboard: `bytes` Shift-JIS bytes of it.
    void pageCopied(qsizetype bytes);

private:
    std::unique_ptr<Ui::CComplete> ui_;
    DesktopPlatform& platform_;
    std::string page_;
};

}  // namespace torepal

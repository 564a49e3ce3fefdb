#pragma once
// "バージョン情報": the program's version and where its maker can be found.

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class CAbout;
}

namespace torepal {

// The maker's mail address shown in the box (the web address is the tool's
// home page, the one the credit line of every page links to).
const std::string& MakerMailAddress();

class CAbout : public QDialog {
    Q_OBJECT

public:
    explicit CAbout(QWidget* parent = nullptr);
    ~CAbout() override;

private:
    std::unique_ptr<Ui::CAbout> ui_;
};

}  // namespace torepal

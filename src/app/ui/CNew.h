#pragma once
// "新規作成": asks before the menu's new command empties the forms.

#include <QDialog>
#include <memory>

namespace Ui {
class CNew;
}

namespace torepal {

class CNew : public QDialog {
    Q_OBJECT

public:
    explicit CNew(QWidget* parent = nullptr);
    ~CNew() override;

private:
    std::unique_ptr<Ui::CNew> ui_;
};

}  // namespace torepal

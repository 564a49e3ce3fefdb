#pragma once
// The plate form's box of current shipping services: one tick per service
// found in tariffs/, with its name and the date of its prices, in the order
// the reader gives them. A scrolling list keeps it small beside the form.

#include <QGroupBox>
#include <string>
#include <vector>

#include "shipping/Tariff.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace torepal {

class CurrentServicesGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit CurrentServicesGroup(QWidget* parent = nullptr);

    // Replaces the list. A service still listed keeps its tick; ticks of
    // services no longer listed are dropped. Emits nothing.
    void setServices(const std::vector<Tariff>& services);

    // The ticked services' ids, in list order.
    std::vector<std::string> tickedIds() const;

    // Ticks exactly the listed services of `ids`; an id not listed is
    // passed over (the caller tells the seller). Emits nothing.
    void setTickedIds(const std::vector<std::string>& ids);

    // The parcel's thickness step (into ThicknessList); 0 指定なし. Setting
    // it emits nothing.
    int thicknessIndex() const;
    void setThicknessIndex(int index);

signals:
    // The seller ticked or unticked a service.
    void tickedIdsChanged();
    // The seller chose another thickness.
    void thicknessChanged();

private:
    void itemChanged(QListWidgetItem* item);

    QListWidget* list_;
    QLabel* empty_;
    QComboBox* thickness_;
    bool filling_ = false;
};

}  // namespace torepal

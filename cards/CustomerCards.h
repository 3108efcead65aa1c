#pragma once
// The customers page: a tile per customer with the net value of its bills ("货款") and
// what it owes ("欠款") up to the working date.

#include "cards/CardPage.h"
#include "domain/Customers.h"

#include <QList>

#include <functional>

class QComboBox;

namespace tev {

class CustomerCardPage : public CardPage {
    Q_OBJECT
public:
    // Builds the page's controls on the main window's customer page (TabSheet8).
    CustomerCardPage(QWidget* sheet, SortBoxes boxes);

    static CardKind Kind();

    QPushButton* NewCustomer;
    QPushButton* CustomerSearch;
    QPushButton* BigReport;
    QLabel* Label8;
    // The search in force, in words, and the button that ends it; hidden without a search.
    QLabel* SearchLine;
    QPushButton* ClearSearch;

    void Refresh() override;
    void ClearSearchClick();

    // The options the list is built from right now (filter, last search, sort boxes).
    CustomerListOptions ListOptions() const;

    void NewCustomerClick();
    void ActionCustomerSearchExecute();
    // "客户报表": the monthly customer report of the list as the page shows it.
    void ActionCustomerReportExecute();
    void OpenCustomerTile(int n);

    // The customer window: shows one customer (by CustomerIndex) modally and returns its
    // result. Whoever owns that window sets this; while it is unset a click opens nothing.
    std::function<int(qint64 customerIndex)> ShowCustomerWindow;

protected:
    bool CountRecords(int& count) override;
    bool OpenPageRows(int offset, int limit, ResultSet& rows) override;
    bool FillTile(CardTile& tile, const ResultSet& row) override;
    void OpenTile(int n, qint64 key) override;
    void NewRecordClick() override { NewCustomerClick(); }

private:
    SortBoxes m_boxes;
    // The sums of the page being filled, read with its rows; after a failure only those of the
    // tiles before the failing one.
    Result<QList<CustomerSums>> m_sums;
};

} // namespace tev

#pragma once
// The customers page: a tile per customer with the net value of its bills ("货款") and
// what it owes ("欠款") up to the working date.

#include "cards/CardPage.h"
#include "customers/CustomerForm3.h"

#include <QDate>

#include <functional>

class QComboBox;

namespace tev {

// What the customer list depends on besides the database.
struct CustomerListOptions {
    QString customerFilter;     // the salesman's CustomerFilter
    CustomerSearchInput search; // the last confirmed search
    int sortField = 0;          // 0 by number, 1 by name
    int sortDirection = 1;      // 0 ascending, 1 descending
};

// " Order By CustomerIndex Asc", " Order By CustomerName Collate PINYIN Desc, CustomerIndex Desc", …
// Names are ordered as a Chinese reader expects (by pinyin).
QString CustomerOrderClause(int sortField, int sortDirection);
// The conditions after "Where": (CustomerIndex > 1), the salesman's filter, the search's text
// conditions and, for a search with a period, an Exists test on the customer's bills.
QString CustomerListWhere(const CustomerListOptions& options);
// "Select Count(*) …" of the list.
QString CustomerCountStatement(const CustomerListOptions& options);
// One screen page of the list, in list order.
QString CustomerPageStatement(const CustomerListOptions& options, int offset, int limit);
// The net of the customer's sales and purchase bills up to date, as TotalMoney.
QString CustomerBillSumStatement(const QString& name, const QDate& date);
// The net of the customer's vouchers up to date, as TotalMoney.
QString CustomerPaidStatement(const QString& name, const QDate& date);

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
};

} // namespace tev

#pragma once
// Customers: the record and its stores (a rename carries into every bill and voucher that
// names the customer), one customer's balance up to a date, the sums of a page of customers,
// the customers page's list and the search that narrows it, a customer's documents of the
// month for the report lists and the folder a customer's files are kept in.

#include "data/Database.h"
#include "domain/ListRequest.h"
#include "domain/Outcome.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tev {

// ---------------------------------------------------------------- the record

struct CustomerRecord {
    qint64 index = 0;
    QString name, phone, fax, contact, handPhone, email, website, address, remark;
    QString man;            // who entered the customer; a salesman sees only his own
    double openingDebt = 0; // CustomerOwe
};

// The customer editor's entries as typed. A null text is stored as empty text (the columns
// are NOT NULL); nothing is trimmed.
struct CustomerInput {
    QString name, phone, fax, contact, handPhone, email, website, address, remark;
    // Empty is no opening debt; anything but a plain amount ("-100", "1,000") is refused,
    // never stored as 0.
    QString openingDebt;
};

// The entry a refusal of the editor's input is about: the editor puts the cursor there.
enum class CustomerEntry { Name, OpeningDebt };

struct CustomerOutcome : Outcome {
    CustomerEntry entry = CustomerEntry::Name;

    CustomerOutcome(Outcome outcome, CustomerEntry about = CustomerEntry::Name)
        : Outcome(std::move(outcome)), entry(about) {}
};

// The customer the editor changes: a failure carries "客户资料读入失败", a customer gone
// "找不到要修改的记录".
Result<CustomerRecord> LoadCustomer(Database& db, qint64 index);
// The customer the customer window shows: "客户资料表打开失败", gone "该客户记录已被删除".
Result<CustomerRecord> LoadCustomerInfo(Database& db, qint64 index);
// Whether the customer is still there to be deleted: "数据库打开失败", gone "找不到要删除的记录".
Outcome FindCustomerToDelete(Database& db, qint64 index);

// A new customer, entered by man. Refused, in this order: an empty name ("客户名不得为空"), a
// name taken ("该客户名已经存在，请重新操作"; the database's comparison decides, letter case
// ignored), an opening debt that is no plain amount ("金额格式有误，请重新输入"). Failures:
// "无法打开数据库" (the duplicate check), "数据保存失败".
CustomerOutcome StoreNewCustomer(Database& db, const CustomerInput& in, const QString& man);
// Changes the customer index with the refusals of a new one; the name is checked for
// duplicates only when it changed (an exact comparison), so a change of letter case alone is
// refused as taken. A new name carries into every bill (BillUser) and voucher (MoneyUser) the
// database finds equal to the old one, in the same transaction as the customer's row: a
// failure part-way leaves every row as it was ("数据保存失败"). The customer gone before the
// change began: Gone without words (the editor says nothing and stays open); gone by the time
// its row is written: Gone "找不到要修改的客户". The man who entered the customer stays.
CustomerOutcome ChangeCustomer(Database& db, qint64 index, const CustomerInput& in);
// Deletes the customer's row only: its bills and vouchers keep naming it. "数据删除失败".
Outcome DeleteCustomer(Database& db, qint64 index);

// ---------------------------------------------------------------- balances

// One customer's documents up to the end of a date, each as its statement rounds it: the sales
// bills, the purchase bills (a positive amount) and the vouchers' net (income less expense).
struct CustomerBalance {
    std::optional<double> sales, purchases, received;
};
// A failure carries "数据库打开失败"; the sums read before the failing statement are in its
// value all the same (the others unset), so that the window shows what it could read and
// never another customer's figures.
Result<CustomerBalance> CustomerBalanceAt(Database& db, const QString& name, QDate date);
// opening debt + sales − purchases − received = what the customer owes, every operand the
// amount as shown (FormatAmount), so the formula adds up on screen. Every sum must be read.
double CustomerDebt(double openingDebt, const CustomerBalance& balance);

// A customer's tile besides its name: the net of its sales and purchase bills ("货款") and
// of its vouchers up to a date. Every bill and voucher of the customer counts, whoever saved it.
struct CustomerSums {
    double bills = 0, paid = 0;

    // What the customer owes ("欠款"): the opening debt + bills − paid, the sums rounded as
    // the tile shows them (ShownAmount).
    double Owing(double openingDebt) const;
};
// The net of the customer's sales and purchase bills up to date, as TotalMoney.
QString CustomerBillSumStatement(const QString& name, const QDate& date);
// The net of the customer's vouchers up to date, as TotalMoney.
QString CustomerPaidStatement(const QString& name, const QDate& date);
// The sums of a page of customers, in the order of names. Each of the two statements per
// customer is answered from its covering index (BillByUser, MoneyByUser), whatever the size of
// the tables. A failure carries "统计客户货款时出错" or "统计客户付款时出错", with the sums of the
// customers before the failing one in its value: the page fills their tiles and stops at it.
Result<QList<CustomerSums>> CustomerPageSums(Database& db, const QStringList& names, QDate date);

// ---------------------------------------------------------------- the search

inline constexpr int kCustomerSearchFields = 9;

// What a search asks for: the nine texts as typed (an empty text asks nothing) and,
// optionally, a period in which the customer must have at least one bill.
struct CustomerSearchInput {
    std::array<QString, kCustomerSearchFields> texts;
    bool period = false;
    QDate start, end;

    bool operator==(const CustomerSearchInput&) const = default;
};

// The Customer column each text searches, in the order of the search window's Edit1 … Edit9.
const std::array<QString, kCustomerSearchFields>& CustomerSearchColumns();
// " And (InStr({column},'{text}'))" for every text that is not empty, in field order.
// A text is always searched for literally: quotes are doubled, never a broken statement.
QString CustomerTextConditions(const CustomerSearchInput& input);
// " And (BillCreateTime Between #{start}# And #{end}#)" when the period is asked for.
QString CustomerPeriodCondition(const CustomerSearchInput& input);
// The whole filter: the text conditions followed by the period condition. It belongs after
// the where-clause of "Select Distinct Customer.* From (Customer Left Join Bill on
// Customer.CustomerName = Bill.BillUser)"; the customer page uses the same conditions without
// the join (see CustomerListWhere).
QString CustomerSearchFilter(const CustomerSearchInput& input);
// What a search looks for, in words: "客户名称含“华”，联系人含“王”，2024-3-1至2024-3-31有业务";
// empty for a search that asks nothing.
QString CustomerSearchDescription(const CustomerSearchInput& input);

// ---------------------------------------------------------------- the customers page

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
// The number of customers in the list, and at most limit of them from row offset on, in list
// order. A failure carries "刷新客户时出错".
Result<int> CountCustomers(Database& db, const CustomerListOptions& options);
Result<ResultSet> CustomerPageRows(Database& db, const CustomerListOptions& options, int offset, int limit);

// ---------------------------------------------------------------- documents and folder

// The four lists of the customer window's month buttons.
enum class CustomerDocs { Sales, Purchases, Income, Expense };

// The statement handed to the report list for the customer's documents of one kind dated
// first..last (both included).
QString CustomerDocsStatement(CustomerDocs kind, const QString& name, const QDate& first, const QDate& last);
// The customer's documents of one kind in the month of the working date, for a report list.
// The statement and the line that says what it shows read the customer's name at every run,
// so a kept list follows a rename; they read through db, which must outlive the request (the
// one connection of the run). A failure carries "数据库打开失败"; the customer gone gives an
// empty request (nothing to list).
Result<ListRequest> CustomerMonthDocuments(Database& db, qint64 index, CustomerDocs kind, QDate working);

// The folder name a customer's documents are kept under, inside "客户目录": the name with the
// characters no folder name may hold (path separators among them) replaced by "_" and trailing
// dots and spaces dropped, leading dots made "_". Empty when nothing usable is left ("", ".",
// ".." and the like).
QString CustomerFolderName(const QString& customerName);
// dataDir + "客户目录/" + the folder name; empty when the name makes no folder name.
QString CustomerFolderPath(const QString& dataDir, const QString& customerName);

} // namespace tev

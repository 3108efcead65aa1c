#pragma once
// Sample contents for an empty database: a small agency's customers, accounts, salesmen,
// bills and vouchers for trying the program out, and large generated contents for
// measuring it. Both refuse a database that already holds business records.

#include <QDate>
#include <QString>

namespace tev {

class Database;

// Fills a database made by CreateEmptyDatabase with about four months of business up to
// today: some forty customers, five money accounts, three salesmen (张伟, 李娜, 王强, each
// with the password "1234") in free salesman slots, sales and purchase bills, income and
// expense vouchers (many settling bills, some on their own), documents on today and in
// today's month, and the last document numbers in Setting. The same date always gives the
// same contents. Everything is written in one transaction: on failure nothing is stored
// and error holds the reason.
bool FillDemoData(Database& db, const QDate& today, QString* error);

// Fills an empty database with the given numbers of customers (named uniquely), bills and
// vouchers over the year up to today, plus four accounts and the demo salesmen, in one
// transaction with statements prepared once. Meant for measuring lists and balances.
bool FillBulkData(Database& db, int customers, int bills, int vouchers, const QDate& today, QString* error);

} // namespace tev

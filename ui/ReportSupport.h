#pragma once
// What the windows need to print through the report engine: the engine's dialogs routed
// through the window seam, query results as report data sets, and the templates of Frf/.

#include "data/Database.h"
#include "data/Query.h"
#include "data/RowSource.h"
#include "report_engine/Report.h"
#include "report_engine/ReportData.h"

#include <functional>

namespace tev {

// Routes the preview's and designer's messages, questions, file dialogs, modal showing and
// today's date through the installed window seam. Installed once when the windows are made.
void InstallReportSeam();

// A query's rows as a report data set. The result is read where it lies: it must outlive
// the report's use of it.
class ResultSetData : public ReportDataSet {
public:
    explicit ResultSetData(const ResultSet* rows = nullptr) : m_rows(rows) {}
    void SetRows(const ResultSet* rows) { m_rows = rows; }
    QStringList Columns() const override { return m_rows ? m_rows->Columns() : QStringList(); }
    int RowCount() const override { return m_rows ? m_rows->RecordCount() : 0; }
    QVariant Value(int row, int column) const override {
        return m_rows ? m_rows->At(row, column) : QVariant();
    }

private:
    const ResultSet* m_rows;
};

// Rows read where they lie as a report data set: printing a long list reads it in blocks.
class RowSourceData : public ReportDataSet {
public:
    void SetRows(std::shared_ptr<RowSource> rows) { m_rows = std::move(rows); }
    QStringList Columns() const override { return m_rows ? m_rows->Columns() : QStringList(); }
    int RowCount() const override { return m_rows ? m_rows->RowCount() : 0; }
    QVariant Value(int row, int column) const override {
        return m_rows ? m_rows->Value(row, column) : QVariant();
    }

private:
    std::shared_ptr<RowSource> m_rows;
};

// The report object the monthly reports and the designer share (the main window's frReport1)
// with what it prints from: the pool's enabled rows as its main data set ADOQueryBig, the
// period heading and the title (PrintList rows 1 and 2) as ADOQueryTemp and ADOQueryTemp2, and
// the line that says what the report covers as the variable MonthConditions (empty until a
// report was made).
class MonthReportObject {
public:
    MonthReportObject();
    MonthReportObject(const MonthReportObject&) = delete;
    MonthReportObject& operator=(const MonthReportObject&) = delete;

    Report frReport1;
    Query ADOQueryBig{QStringLiteral("ADOQueryBig")};
    Query ADOQueryTemp{QStringLiteral("ADOQueryTemp")};
    Query ADOQueryTemp2{QStringLiteral("ADOQueryTemp2")};
    QString Conditions;

private:
    ResultSetData m_rows{&ADOQueryBig};
    ResultSetData m_period{&ADOQueryTemp};
    ResultSetData m_title{&ADOQueryTemp2};
};

// The template of a report list: the portrait one when the print type is "纵向打印", the
// landscape one for any other value.
QString ListTemplateName(bool billList, const QString& printType);

// Loads DataDir + "Frf/" + name. A missing or unreadable template is reported to the user
// with its path (the report is then not printed) instead of silently printing whatever the
// report object held before.
bool LoadReportTemplate(Report& report, const QString& name);

// Prints a stored document from its editor. A printout is a document: its figures come from
// the stored record only. When the editor holds changes not stored yet, the user chooses:
// store them first (store runs the usual checks and password) and print the result, or print
// the document as it is stored. True when the changes were stored (the editor then closes
// with OK).
bool PrintStoredDocument(QWidget* editor, bool unsavedChanges, const std::function<bool()>& store,
                         const std::function<void()>& print);

// The usual end of every print: prepare, and show the preview when that succeeded; the
// engine's own words when it did not.
bool PrepareAndShow(Report& report, QWidget* parent);

} // namespace tev

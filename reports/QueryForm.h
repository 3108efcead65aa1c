#pragma once
// What the two query forms share: the document kind, the date and amount ranges, the
// number, customer, remark and salesman fields, the month quick search, and the rules that
// turn those fields into conditions.

#include "domain/Periods.h"
#include "ui/Form.h"
#include "ui/Shell.h"

#include <QDate>
#include <QPalette>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tev {

// The item of every option list that asks for no condition.
inline const QString kAllItems = QStringLiteral("所有");

// An amount bound as typed is acceptable when it is empty or a plain unsigned number (digits
// with at most one point). "1.2.3" passes IsDecimalString but is no number: refused here,
// so it never reaches a statement.
bool QueryAmountValid(const QString& text);

// " And ({column} Between #{first}# And #{last}#)"; the earlier of the two dates always
// comes first, so a range entered back to front still finds what lies between them.
QString QueryDateCondition(const QString& column, QDate from, QDate to);

// The parts both searches share, in the order of the fields: kind, dates, amounts, number,
// customer, remark, salesman. Each part is "名称：值".
struct QueryWords {
    QStringList parts;
    void Option(const QString& caption, const QString& value);   // leaves out "所有" and empty
    void Contains(const QString& caption, const QString& value); // leaves out empty
    // The date range (earlier date first) and the amount range when they are in use.
    void Ranges(bool period, QDate from, QDate to, bool amounts, const QString& lower, const QString& upper);
    QString Joined(const QString& nothingAsked) const;
};

class TQueryForm : public TForm {
    Q_OBJECT
public:
    QComboBox* ComboBox5;       // document kind
    QCheckBox* CheckBox1;       // "时间范围"
    QDateEdit* DateTimePicker1; // from
    QDateEdit* DateTimePicker2; // to
    QCheckBox* CheckBox2;       // "金额范围"
    QLineEdit* Edit2;           // lower magnitude
    QLineEdit* Edit4;           // upper magnitude
    QLineEdit* Edit5;           // document number
    QComboBox* ComboBox6;       // customer name, editable
    QLineEdit* Edit3;           // remark
    QLineEdit* Edit6;           // salesman
    QGroupBox* GroupBox1;       // "快速查询"
    QPushButton* Button1;       // the month search

    void CheckBox1Click();
    void CheckBox2Click();
    void ComboBox5Change();

protected:
    // kinds: the two document kinds offered after "所有".
    TQueryForm(QWidget* parent, const QStringList& kinds);

    // A caption right-aligned before a field at (x, y); fields are kFieldHeight high.
    void PlaceField(const QString& caption, QWidget* field, int x, int y, int width);
    // Lays out the fields both forms share, each row kRowStep apart from top.
    void PlaceCommonRows(int top);
    void PlaceQuickSearch(int y, const QString& caption);

    // Resets every shared field for a new showing (the lists are the form's own to fill).
    void ResetFields();
    // Refills the kinds, selects "所有" and moves the focus there.
    void ResetKinds();
    // Checks both amount boxes, whether the range is in use or not; the first bad one is
    // reported and focused.
    bool AmountsValid();
    // Hands the request to the main window's list, shows its page and closes with OK.
    void RunAndClose(const ListRequest& request, bool bills);

    static constexpr int kFieldHeight = 24;
    static constexpr int kRowStep = 32;
    static constexpr int kLabelWidth = 64;
    static constexpr int kLeft = 12;
    static constexpr int kColumn2 = 250;

private:
    QStringList m_kinds;
    QPalette m_normalPalette;
};

} // namespace tev

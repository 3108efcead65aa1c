#pragma once
// What the two query forms share: the document kind, the date and amount ranges, the
// number, customer, remark and salesman fields, the month quick search, and the rules that
// turn those fields into conditions.

#include "domain/Periods.h"
#include "domain/Reports.h"
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

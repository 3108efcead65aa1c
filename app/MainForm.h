#pragma once
// The main window: the side bar with the sign-in button and the working date, the fold
// strip, and the eight pages whose visibility the signed-in role decides.

#include "data/Query.h"
#include "report_engine/Report.h"
#include "ui/ClickableLabel.h"
#include "ui/ReportSupport.h"
#include "ui/Shell.h"
#include "ui/Views.h"

#include <QDate>
#include <QLabel>
#include <QMainWindow>
#include <QSet>
#include <functional>

class QComboBox;
class QDateEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tev {

class SettingsContent;

class TFormMain : public QMainWindow, public Shell {
    Q_OBJECT
public:
    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    // The start-up sequence run when the window is first shown. Returns false when the
    // program must end; ExitCode then tells how (0 after a cancelled sign-in).
    bool FormShow();
    int ExitCode = 0;

    // Shows the sign-in window and applies the role; false when it was closed without a sign-in.
    bool SignIn();
    // Rebuilds the card pages and re-runs the report lists.
    void RefreshAllViews() override;
    void RefreshCustomerCards() override;
    void RefreshBillCards() override;
    void RefreshVoucherCards() override;
    void RefreshAccountCards() override;
    // Runs a report list with a new statement (a complete select up to its Where conditions,
    // no grouping, no order), or, with an empty one, runs the kept statement again.
    void RunMoneyReport(const QString& statement = {});
    void RunBillReport(const QString& statement = {});
    void RunMoneyReport(const ListRequest& request) override;
    void RunBillReport(const ListRequest& request) override;
    void ShowPage(Shell::Page page) override;
    QWidget* Window() override { return this; }
    void EndProgram() override;

    QDate WorkingDate() const override;
    // Sets the working date without counting as a user change (no refresh).
    void SetWorkingDate(const QDate& date);

    // Handlers.
    void BitBtn1Click();
    void BitBtn2Click();
    void DateTimePicker1Change();
    void Image7Click();
    void ActionLoginExecute();
    void ActionOlineChatExecute();
    void FormResize();
    void Button15Click();
    // "单据设计": the template designer on frReport1.
    void ActionDesignExecute();
    // The sort and range boxes write their key and refresh their own page.
    void SortComboChange(QComboBox* combo);

    // Side bar.
    QWidget* Panel1;
    QToolButton* Login;
    QToolButton* OnlineChat;
    QToolButton* ActionButtonSave2;
    QLabel* Label2;
    QDateEdit* DateTimePicker1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    // Fold strip.
    QWidget* Panel2;
    ClickableLabel* Image7;
    QString Image7Hint = QStringLiteral("LeftBar");
    // Pages.
    QWidget* Panel3;
    QTabWidget* PageControl1;
    // Shown instead of the pages when the signed-in user may use none of them.
    QLabel* NoPageLabel;
    QWidget* TabSheet8; // customers
    QWidget* TabSheet1; // bills
    QWidget* TabSheet2; // bill report
    QWidget* TabSheet3; // accounts
    QWidget* TabSheet7; // vouchers
    QWidget* TabSheet4; // voucher report
    QWidget* TabSheet5; // settings
    QWidget* TabSheet6; // maintenance
    QWidget* Page(int index) const;

    // Sort and range boxes of the card pages, restored from the configuration file at sign-in.
    QComboBox* ComboBox6;  // customer sort field
    QComboBox* ComboBox7;  // customer sort direction
    QComboBox* ComboBox3;  // bill date range
    QComboBox* ComboBox8;  // bill sort field
    QComboBox* ComboBox10; // bill sort direction
    QComboBox* ComboBox4;  // voucher date range
    QComboBox* ComboBox11; // voucher sort field
    QComboBox* ComboBox12; // voucher sort direction
    // Settings page: list print orientation.
    QComboBox* ComboBox5;
    QPushButton* Button15;
    // Settings page: report template design.
    QPushButton* DesignButton;

    // The report object shared by the monthly reports and the designer, over ADOQueryBig.
    MonthReportObject MonthPrint;
    Report& frReport1 = MonthPrint.frReport1;
    Query& ADOQueryBig = MonthPrint.ADOQueryBig;
    MonthReportObject& MonthReport() override { return MonthPrint; }

    // The contents of the pages, plugged in by their subsystems.
    View* CustomerCards = nullptr;
    View* BillCards = nullptr;
    View* VoucherCards = nullptr;
    View* AccountCards = nullptr;
    ReportList* MoneyReport = nullptr;
    ReportList* BillReport = nullptr;
    // The settings page's passwords and option lists, loaded at the administrator's sign-in.
    SettingsContent* Settings = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    View* CardsOf(int page) const;
    // Refreshes a card page on screen; one that is not is marked to be refreshed when shown.
    void RefreshWhenShown(int page, View* view);
    QSet<int> m_staleCards;

    // Shows the pages whose tabs the role left visible and nothing of the others; an empty
    // area with one line when no page is left.
    void ShowAllowedPagesOnly();
    void BuildSideBar();
    void BuildPages();
    void RestoreSortCombos();
    void SetLoginFace(const QString& caption, const QString& picture);
    QComboBox* MakeCombo(QWidget* page, const QString& name, const QStringList& items, int x, int width);

    bool m_settingDate = false;
};

} // namespace tev

#pragma once
// The bills page: a tile per sales or purchase bill of the working day or of its month, with
// its customer, its amount and what has been received or paid against it so far.

#include "cards/CardPage.h"
#include "domain/Documents.h"

class QLabel;

namespace tev {

class BillCardPage : public CardPage {
    Q_OBJECT
public:
    // Builds the page's controls on the main window's bills page (TabSheet1).
    BillCardPage(QWidget* sheet, SortBoxes boxes);

    static CardKind Kind();

    QPushButton* NewBill;
    QLabel* Label9;  // "单据日期"
    QLabel* Label11; // "排序方式"

    // The options the list is built from right now (working date, filter, the three boxes).
    DocumentListOptions ListOptions() const;

    void NewBillClick();
    void OpenBillTile(int n);

protected:
    bool CountRecords(int& count) override;
    bool OpenPageRows(int offset, int limit, ResultSet& rows) override;
    bool FillTile(CardTile& tile, const ResultSet& row) override;
    void OpenTile(int n, qint64 key) override;
    void NewRecordClick() override { NewBillClick(); }

private:
    SortBoxes m_boxes;
};

} // namespace tev

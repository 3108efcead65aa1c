#pragma once
// The vouchers page: a tile per income or expense voucher of the working day or of its
// month, with its customer, its category and token, and its amount.

#include "cards/CardPage.h"
#include "domain/Documents.h"

class QLabel;

namespace tev {

class VoucherCardPage : public CardPage {
    Q_OBJECT
public:
    // Builds the page's controls on the main window's vouchers page (TabSheet7).
    VoucherCardPage(QWidget* sheet, SortBoxes boxes);

    static CardKind Kind();

    QPushButton* NewMoney;
    QLabel* Label10; // "单据日期"
    QLabel* Label18; // "排序方式"

    // The options the list is built from right now (working date, filter, the three boxes).
    DocumentListOptions ListOptions() const;

    void NewMoneyClick();
    void OpenVoucherTile(int n);

protected:
    bool CountRecords(int& count) override;
    bool OpenPageRows(int offset, int limit, ResultSet& rows) override;
    bool FillTile(CardTile& tile, const ResultSet& row) override;
    void OpenTile(int n, qint64 key) override;
    void NewRecordClick() override { NewMoneyClick(); }

private:
    SortBoxes m_boxes;
};

} // namespace tev

#pragma once
// The card pages of the main window: fifteen record tiles to a screen page, paging
// buttons, a status line, a picture for the empty list, hover highlighting and a click
// that opens the record. CardPage holds everything the kinds share; a kind (customers,
// bills, vouchers, accounts) derives from it and supplies its list, how one tile is
// filled from a row and what a click opens.

#include "data/Database.h"
#include "domain/Outcome.h"
#include "ui/Shell.h"
#include "ui/Views.h"

#include <QColor>
#include <QFrame>
#include <QHash>
#include <QPixmap>
#include <QString>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace tev {

inline constexpr int kTilesPerPage = 15;

// The main window's boxes that order a card page (and, for documents, choose its date range).
// They belong to the main window, which restores them at sign-in; a page reads and places them.
struct SortBoxes {
    QComboBox* range = nullptr;
    QComboBox* field = nullptr;
    QComboBox* direction = nullptr;
};

// Background colours of the tile panels.
inline const QColor TileNormalColour(236, 233, 216);
inline const QColor TileHighlightColour(166, 202, 240);
// Value labels: blue for a positive (or zero) amount, red for a negative one.
inline const QColor TileBlue(0, 0, 255);
inline const QColor TileRed(255, 0, 0);

// The icon file of a tile (in Res/) for an amount: "Money0.ico" for 0, otherwise the
// colour word with one "+", a second when |amount| > threshold1 and a third when
// |amount| > threshold2 (both strictly greater), e.g. "Yellow+++.ico".
QString TileIconName(double amount, const QString& colourWord, double threshold1, double threshold2);

// Screen pages of a list of count records: at least 1.
int CardPageCount(int count);
// "共 {count} 记录，第 {pageNumber + 1}/{pages} 页".
QString CardStatusText(int count, int pageNumber, int pages);

// What tells one kind of tiles from another: the control names, the captions and the
// icon rule. The component of tile n is the name followed by n ("CustomerName7").
struct CardKind {
    QString keyColumn;               // the record key kept in each panel's tag
    QString panel;                   // "CustomerPanel"
    QString under;                   // label under the picture; empty when the kind has none
    QString image;                   // "CustomerImage"
    std::array<QString, 3> captions; // "名称：", "货款：", "欠款："
    std::array<QString, 3> values;   // "CustomerName", "CustomerMoney", "CustomerOwe"
    QString prior, next, status;     // "CustomerPrior", "CustomerNext", "CustomerSum"
    QString emptyImage;              // "Image9"
    QString newButton, newCaption;   // "NewCustomer", "新增客户"
    QString colourWord;              // "Blue"
    double threshold1 = 0, threshold2 = 0;
};

// One tile: a panel with a 41 by 41 picture, three fixed captions, three value labels
// and, for some kinds, a short label under the picture.
class CardTile : public QFrame {
    Q_OBJECT
public:
    CardTile(QWidget* parent, const CardKind& kind, int n);

    const int Number;
    QLabel* Image;
    QLabel* Under = nullptr;
    std::array<QLabel*, 3> Captions;
    std::array<QLabel*, 3> Values;
    // The key of the record shown.
    qint64 Tag = 0;

    // The file the picture was loaded from.
    QString PictureFile() const { return m_pictureFile; }
    void SetPicture(const QString& file, const QPixmap& pixmap);
    // Colour of the value labels and of the label under the picture.
    void SetTextColour(const QColor& colour);
    QColor TextColour() const { return m_textColour; }
    // Repaints the panel only when the colour changes; false when it was already that colour.
    bool SetBackground(const QColor& colour);
    QColor Background() const;

private:
    QString m_pictureFile;
    QColor m_textColour;
    QColor m_background; // invalid: still the system's button-face colour
};

// A card page. Refresh() follows the same steps for every kind:
//   1. both paging buttons disabled;
//   2. CountRecords: the number of records in the list (failure: stop, tiles and status keep
//      what they showed);
//   3. no records: the empty-list picture, no tiles;
//   4. otherwise OpenPageRows for the rows of the current page, paging buttons enabled where a
//      move makes sense, and FillTile for each row (a false return stops the refresh there,
//      the tile keeping the labels and the key it had);
//   5. the status text (StatusText) into the status label.
// The page number is never clamped: past the last page no tile shows and only the back
// button is enabled.
//
// A kind plugs in by deriving, passing its CardKind and the page (TabSheet) to this
// constructor, and overriding CountRecords, OpenPageRows, FillTile and OpenTile; it may
// override StatusText (accounts show a total) and NewRecordClick. It then sets the main
// window's View member (FormMain->BillCards = new BillCardPage(...)) in CreateForms.
class CardPage : public QObject, public View {
    Q_OBJECT
public:
    CardPage(QWidget* sheet, CardKind kind);

    const CardKind Kind;
    QWidget* const Sheet;
    // Counted from 0; changed only by the paging buttons (and by a kind's own rules).
    int PageNumber = 0;

    // Tile n, 1 to 15.
    CardTile* Tile(int n) const { return m_tiles[n - 1]; }
    QPushButton* Prior;
    QPushButton* Next;
    QLabel* Status;
    QLabel* EmptyImage;
    QPushButton* NewRecord;

    void Refresh() override;
    // Paging: one page back or forward, then a refresh. No bounds are checked here; the
    // refresh enables the buttons only where a move makes sense.
    void PriorClick();
    void NextClick();
    // Hover: tile n highlighted, every other tile normal. Only tiles whose colour changes
    // are repainted, so moving within one tile costs nothing.
    void HighlightTile(int n);
    // The mouse over the bare page: every tile normal.
    void ClearHighlight();
    // A click on any part of tile n opens its record.
    void TileClick(int n);

    // ProgramDir + "Res/" + the icon of amount by the kind's rule.
    QString IconFile(double amount) const;
    // Loads the icon for amount into a tile (pictures are read once and kept).
    void SetTileIcon(CardTile& tile, double amount);

protected:
    // The number of records in the list. On failure show the kind's message and return false.
    virtual bool CountRecords(int& count) = 0;
    // At most limit rows of the list starting at row offset, in list order, each carrying
    // Kind.keyColumn. On failure show the kind's message and return false.
    virtual bool OpenPageRows(int offset, int limit, ResultSet& rows) = 0;
    // Fills the labels and the picture of a tile from the current row; the tag is set after
    // it succeeds. Return false to stop the refresh at this tile (its message already shown).
    virtual bool FillTile(CardTile& tile, const ResultSet& row) = 0;
    // Opens the record of tile n, whose key is key.
    virtual void OpenTile(int n, qint64 key) = 0;
    // The status line; by default CardStatusText.
    virtual QString StatusText(int count, int pageNumber, int pages);
    virtual void NewRecordClick() {}

    // What the kind's own domain functions answered for CountRecords and OpenPageRows: the
    // count or the rows, or false with the failure's message shown.
    bool TakeCount(const Result<int>& counted, int& count);
    bool TakeRows(Result<ResultSet> read, ResultSet& rows);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QWidget* widget, int n);

    std::array<CardTile*, kTilesPerPage> m_tiles{};
    QHash<QString, QPixmap> m_icons;
};

} // namespace tev

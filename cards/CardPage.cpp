#include "cards/CardPage.h"

#include "ui/Form.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
// Tile n sits in column (n-1) mod 3 and row (n-1) div 3.
constexpr int kTileWidth = 209;
constexpr int kTileHeight = 79;
constexpr int kTileLeft = 8;
constexpr int kTileTop = 8;
constexpr int kColumnStep = 216;
constexpr int kRowStep = 86;
constexpr int kRowTops[3] = {8, 29, 50};

// The controls of a tile remember which tile they belong to.
const char* const kTileProperty = "tevTile";
} // namespace

QString TileIconName(double amount, const QString& colourWord, double threshold1, double threshold2) {
    if (amount == 0) return u"Money0.ico"_s;
    const double size = std::fabs(amount);
    QString name = colourWord + u'+';
    if (size > threshold1) name += u'+';
    if (size > threshold2) name += u'+';
    return name + u".ico"_s;
}

int CardPageCount(int count) {
    const int pages = count / kTilesPerPage + (count % kTilesPerPage != 0 ? 1 : 0);
    return pages == 0 ? 1 : pages;
}

QString CardStatusText(int count, int pageNumber, int pages) {
    return u"共 %1 记录，第 %2/%3 页"_s.arg(count).arg(pageNumber + 1).arg(pages);
}

// ---------------------------------------------------------------- CardTile

CardTile::CardTile(QWidget* parent, const CardKind& kind, int n) : QFrame(parent), Number(n) {
    setObjectName(kind.panel + QString::number(n));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setGeometry(kTileLeft + kColumnStep * ((n - 1) % 3), kTileTop + kRowStep * ((n - 1) / 3), kTileWidth,
                kTileHeight);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);

    Image = new QLabel(this);
    Image->setObjectName(kind.image + QString::number(n));
    Image->setGeometry(8, 8, 41, 41);
    Image->setAlignment(Qt::AlignCenter);

    const QFont font = SongFont(9);
    if (!kind.under.isEmpty()) {
        Under = new QLabel(this);
        Under->setObjectName(kind.under + QString::number(n));
        Under->setGeometry(4, 50, 48, 20);
        Under->setAlignment(Qt::AlignCenter);
        Under->setFont(font);
    }
    for (int row = 0; row < 3; ++row) {
        auto* caption = new QLabel(kind.captions[row], this);
        caption->setObjectName(kind.panel + QString::number(n) + u"Caption"_s + QString::number(row + 1));
        caption->setGeometry(52, kRowTops[row], 39, 20);
        caption->setAlignment(Qt::AlignCenter);
        caption->setFont(font);
        Captions[row] = caption;

        auto* value = new QLabel(this);
        value->setObjectName(kind.values[row] + QString::number(n));
        value->setGeometry(92, kRowTops[row], 114, 20);
        value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        value->setFont(font);
        Values[row] = value;
    }
    SetTextColour(TileBlue);
    hide();
}

void CardTile::SetPicture(const QString& file, const QPixmap& pixmap) {
    m_pictureFile = file;
    Image->setPixmap(pixmap);
}

void CardTile::SetTextColour(const QColor& colour) {
    m_textColour = colour;
    QList<QLabel*> labels(Values.begin(), Values.end());
    if (Under) labels << Under;
    for (QLabel* label : labels) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, colour);
        label->setPalette(p);
    }
}

bool CardTile::SetBackground(const QColor& colour) {
    if (m_background == colour) return false;
    m_background = colour;
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p); // repaints this panel only
    return true;
}

QColor CardTile::Background() const {
    return m_background.isValid() ? m_background : palette().color(QPalette::Button);
}

// ---------------------------------------------------------------- CardPage

CardPage::CardPage(QWidget* sheet, CardKind kind) : QObject(sheet), Kind(std::move(kind)), Sheet(sheet) {
    for (int n = 1; n <= kTilesPerPage; ++n) {
        auto* tile = new CardTile(sheet, Kind, n);
        m_tiles[n - 1] = tile;
        Watch(tile, n);
        for (QWidget* child : tile->findChildren<QWidget*>())
            Watch(child, n);
    }
    // The bare page clears the highlight as the mouse moves over it.
    sheet->setMouseTracking(true);
    sheet->installEventFilter(this);

    EmptyImage = new QLabel(sheet);
    EmptyImage->setObjectName(Kind.emptyImage);
    EmptyImage->setAlignment(Qt::AlignCenter);
    EmptyImage->setPixmap(QPixmap(ProgramDir + u"Res/EmptyList.bmp"_s));
    // Centred over the area of the tiles.
    EmptyImage->setGeometry(kTileLeft, kTileTop, 2 * kColumnStep + kTileWidth, 4 * kRowStep + kTileHeight);
    EmptyImage->hide();

    // The bottom bar, flush with the right edge of the tiles: status and paging on the first
    // row, the new-record button on the second, where a kind adds its own buttons and boxes.
    const int right = kTileLeft + 2 * kColumnStep + kTileWidth;
    const int priorX = right - 2 * 90 - 6;
    Status = new QLabel(sheet);
    Status->setObjectName(Kind.status);
    Status->setGeometry(kTileLeft, 441, priorX - 10 - kTileLeft, 24);
    Status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Prior = new QPushButton(u"上一页"_s, sheet);
    Prior->setObjectName(Kind.prior);
    Prior->setGeometry(priorX, 440, 90, 26);
    SetAvailable(Prior, false, u"已是第一页"_s);
    Next = new QPushButton(u"下一页"_s, sheet);
    Next->setObjectName(Kind.next);
    Next->setGeometry(right - 90, 440, 90, 26);
    SetAvailable(Next, false, u"已是最后一页"_s);

    NewRecord = new QPushButton(Kind.newCaption, sheet);
    NewRecord->setObjectName(Kind.newButton);
    NewRecord->setGeometry(kTileLeft, 477, 96, 26);

    connect(Prior, &QPushButton::clicked, this, &CardPage::PriorClick);
    connect(Next, &QPushButton::clicked, this, &CardPage::NextClick);
    connect(NewRecord, &QPushButton::clicked, this, [this] { NewRecordClick(); });
}

void CardPage::Watch(QWidget* widget, int n) {
    widget->setProperty(kTileProperty, n);
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool CardPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == Sheet) {
        if (type == QEvent::MouseMove) ClearHighlight();
        return false;
    }
    const QVariant tile = watched->property(kTileProperty);
    if (!tile.isValid()) return false;
    const int n = tile.toInt();
    if (type == QEvent::Enter || type == QEvent::MouseMove) {
        HighlightTile(n);
        // Labels do not take the move; stop it here so that the page does not clear the highlight.
        return type == QEvent::MouseMove;
    }
    if (type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            TileClick(n);
            return true;
        }
    }
    return false;
}

void CardPage::HighlightTile(int n) {
    for (CardTile* tile : m_tiles)
        tile->SetBackground(tile->Number == n ? TileHighlightColour : TileNormalColour);
}

void CardPage::ClearHighlight() {
    for (CardTile* tile : m_tiles)
        tile->SetBackground(TileNormalColour);
}

void CardPage::TileClick(int n) {
    if (n < 1 || n > kTilesPerPage) return;
    OpenTile(n, Tile(n)->Tag);
}

void CardPage::PriorClick() {
    --PageNumber;
    Refresh();
}

void CardPage::NextClick() {
    ++PageNumber;
    Refresh();
}

QString CardPage::IconFile(double amount) const {
    return ProgramDir + u"Res/"_s + TileIconName(amount, Kind.colourWord, Kind.threshold1, Kind.threshold2);
}

void CardPage::SetTileIcon(CardTile& tile, double amount) {
    const QString file = IconFile(amount);
    auto it = m_icons.find(file);
    if (it == m_icons.end()) it = m_icons.insert(file, QPixmap(file));
    tile.SetPicture(file, *it);
}

QString CardPage::StatusText(int count, int pageNumber, int pages) {
    return CardStatusText(count, pageNumber, pages);
}

bool CardPage::TakeCount(const Result<int>& counted, int& count) {
    if (!counted) {
        ShowOutcome(nullptr, counted);
        return false;
    }
    count = counted.value;
    return true;
}

bool CardPage::TakeRows(Result<ResultSet> read, ResultSet& rows) {
    if (!read) {
        ShowOutcome(nullptr, read);
        return false;
    }
    rows = std::move(read.value);
    return true;
}

void CardPage::Refresh() {
    SetAvailable(Prior, false, u"已是第一页"_s);
    SetAvailable(Next, false, u"已是最后一页"_s);

    int count = 0;
    if (!CountRecords(count)) return;
    const int pages = CardPageCount(count);
    const QString status = StatusText(count, PageNumber, pages);

    if (count == 0) {
        EmptyImage->show();
        for (CardTile* tile : m_tiles)
            tile->hide();
        Status->setText(status);
        return;
    }

    ResultSet rows;
    if (!OpenPageRows(PageNumber * kTilesPerPage, kTilesPerPage, rows)) return;
    EmptyImage->hide();
    SetAvailable(Next, PageNumber + 1 < pages, u"已是最后一页"_s);
    SetAvailable(Prior, PageNumber > 0, u"已是第一页"_s);

    rows.First();
    for (CardTile* tile : m_tiles) {
        if (rows.Eof()) {
            tile->hide();
            continue;
        }
        tile->show();
        // The key goes in with the labels: a tile whose filling failed keeps showing (and
        // opening) the record it showed before.
        if (!FillTile(*tile, rows)) return;
        tile->Tag = rows.AsInteger(Kind.keyColumn);
        rows.Next();
    }
    Status->setText(status);
}

} // namespace tev

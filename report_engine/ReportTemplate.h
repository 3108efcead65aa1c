#pragma once
// The report template: a page, a stack of bands and the objects on them. Lengths are in
// millimetres; an object's position is relative to its band's top-left corner, which sits
// on the page's left margin. Templates are stored as readable XML (see ReportFile.h).

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace tev {

// The faces every template is drawn with unless it names another: a Song/Ming face for
// body text and a Hei face for headings. Both come back exactly from PDF text extraction.
QString SongFontFamily();
QString HeiFontFamily();

enum class ObjectKind { Text, Line, Rect, Picture };

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

// Sides of a text object's frame.
enum FrameSide : int {
    FrameNone = 0,
    FrameLeft = 1,
    FrameTop = 2,
    FrameRight = 4,
    FrameBottom = 8,
    FrameAll = 15
};

struct ReportObject {
    ObjectKind kind = ObjectKind::Text;
    QString name;
    // Text, rectangle, picture: the box. Line: from the top-left to the bottom-right corner,
    // so a height of 0 gives a horizontal line and a width of 0 a vertical one.
    QRectF rect;

    // Text: literal text with [expressions]; see ReportExpression.h.
    QString text;
    QString fontFamily = SongFontFamily();
    double fontSize = 10.5; // points
    bool bold = false;
    bool italic = false;
    QColor color = QColor(Qt::black);
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Center;
    bool wordWrap = false;
    // A single line that is wider than its box is drawn with a smaller font instead of
    // running into its neighbours.
    bool shrinkToFit = true;
    // Number format ("0.00", "#,##0.00") or date format ("yyyy-MM-dd") for every value.
    QString format;
    double padding = 0.5; // inner space left and right of the text

    // Text: the frame sides drawn; rectangle: always all four sides. Line: its width and colour.
    int frame = FrameNone;
    double lineWidth = 0.2;
    QColor lineColor = QColor(Qt::black);
    QColor fill; // invalid: transparent

    // Picture: a file relative to the template's folder, or the file's bytes embedded.
    QString pictureFile;
    QByteArray pictureData;
    bool keepAspect = true;

    bool operator==(const ReportObject&) const = default;
};

enum class BandKind {
    ReportTitle,   // once, at the start of the report
    PageHeader,    // at the top of pages
    DataHeader,    // before the data band that follows it; repeated on new pages
    MasterData,    // once per row of the report's main data set
    DetailData,    // once per row of the data set the band names
    DataFooter,    // after the data band that precedes it
    ReportSummary, // once, after everything else
    PageFooter,    // at the bottom of pages
};

struct ReportBand {
    BandKind kind = BandKind::MasterData;
    QString name;
    double height = 8;
    // DetailData: the name of the data set it runs over.
    QString dataSet;
    // PageHeader: on every page (otherwise the first only); PageFooter: on every page
    // (otherwise the last only).
    bool everyPage = true;
    // PageHeader, PageFooter: printed on the first page too.
    bool onFirstPage = true;
    // DataHeader: printed again at the top of every page its data continues on.
    bool repeatOnNewPage = true;
    // Grows with its content when the report is prepared: each wrapped text takes the lines
    // it needs, the cells of its row follow it and the band grows to its tallest item (the
    // rule is spelled out in ReportRenderer.cpp). A grown band is never split: it moves
    // whole to the next page. Page footers keep their height. Off, the band prints at its
    // height whatever its texts hold.
    bool stretch = false;
    QList<ReportObject> objects;

    bool operator==(const ReportBand&) const = default;
};

struct PageSetup {
    // "A4", "A5", "A3", "B5", "Letter" or "Custom" (then width and height count).
    QString size = QStringLiteral("A4");
    double width = 210; // portrait width of a custom page, mm
    double height = 297;
    bool landscape = false;
    double marginLeft = 15;
    double marginTop = 12;
    double marginRight = 15;
    double marginBottom = 12;

    // Page size in mm with the orientation applied.
    QSizeF PageSize() const;
    // Portrait size of the paper in mm.
    QSizeF PaperSize() const;
    double ContentWidth() const { return PageSize().width() - marginLeft - marginRight; }

    bool operator==(const PageSetup&) const = default;
};

struct ReportTemplate {
    QString title; // a description for the designer
    PageSetup page;
    QList<ReportBand> bands;

    bool operator==(const ReportTemplate&) const = default;
};

// Names of the kinds as the file and the designer spell them.
QString BandKindName(BandKind kind);
bool BandKindFromName(const QString& name, BandKind* kind);
// Chinese caption of a band kind, for the designer.
QString BandKindCaption(BandKind kind);
QString ObjectKindName(ObjectKind kind);

// The page sizes a template may name.
QStringList PageSizeNames();

} // namespace tev

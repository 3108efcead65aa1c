#pragma once
// Lays a report's bands out on pages. Used by Report::PrepareReport.

#include "report_engine/Report.h"
#include "report_engine/ReportExpression.h"

#include <QHash>
#include <QList>

namespace tev {

class ReportRenderer {
public:
    explicit ReportRenderer(const Report& report);
    bool Run(QList<RenderedPage>* pages, QString* error);

private:
    // An expression resolved against the data sets and variables.
    struct Bound {
        ReportExpression::Kind kind = ReportExpression::Kind::Name;
        const ReportDataSet* data = nullptr;
        int column = -1;
        bool isVariable = false;
        QVariant value; // variables; whole-set sums
    };
    struct BoundPiece {
        bool isExpression = false;
        QString literal;
        Bound bound;
    };
    // Where the data stand while a band is printed.
    struct Context {
        QHash<const ReportDataSet*, int> rows; // current row of each data set; 0 when absent
        int line = 0;
        QList<QPair<const ReportDataSet*, int>> pageRows; // rows printed on the current page
    };
    // Text waiting for the page count.
    struct Deferred {
        int page;
        int item;
        QList<QPair<int, QString>> segments; // (0 text | 1 page number | 2 page count, text)
    };
    // A band's primitives laid out from the band's top-left corner, ready to be put on a
    // page, with the height the band takes there.
    struct Laid {
        QList<RenderedItem> items;
        QList<QPair<int, QList<QPair<int, QString>>>> deferred; // (item, segments)
        double height = 0;
    };
    // Headers, the data band and footers that print together.
    struct Section {
        QList<const ReportBand*> headers;
        const ReportBand* data = nullptr;
        QList<const ReportBand*> footers;
    };

    bool Bind(QString* error);
    bool BindExpression(const QString& objectName, const ReportExpression& e, Bound* out, QString* error);
    const ReportDataSet* Lookup(const QString& name) const;
    const ReportDataSet* SectionData(const Section& s) const;

    void StartPage();
    void ClosePage();
    // Starts a new page when the height does not fit below m_y. Returns whether it did.
    bool EnsureSpace(double height);
    void Place(const ReportBand& band);
    Laid Lay(const ReportBand& band, const Context& ctx) const;
    void Put(int page, const Laid& laid, double y);
    void RunSection(const Section& s);
    QString Evaluate(const ReportObject& o, const Context& ctx, QList<QPair<int, QString>>* segments) const;
    QVariant Value(const Bound& b, const Context& ctx) const;

    const Report& m_report;
    const ReportTemplate& m_t;
    QHash<const ReportObject*, QList<BoundPiece>> m_bound;
    QHash<const ReportObject*, QImage> m_pictures;
    QHash<QString, QVariant> m_variables; // lower-case name → answer; asked once per preparation

    QList<RenderedPage> m_pages;
    QList<Context> m_footerContexts;
    QList<Deferred> m_deferred;
    QList<const ReportBand*> m_repeatHeaders;
    Context m_ctx;
    double m_y = 0;
    double m_bodyBottom = 0;
    bool m_pageHasBody = false;
    bool m_tooManyPages = false;
};

} // namespace tev

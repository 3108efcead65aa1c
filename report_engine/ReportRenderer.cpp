#include "report_engine/ReportRenderer.h"

#include "report_engine/ReportFormat.h"

#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr double kEpsilon = 1e-6;
constexpr int kMaxPages = 20000;

bool IsBody(BandKind k) {
    return k == BandKind::DataHeader || k == BandKind::MasterData || k == BandKind::DetailData ||
           k == BandKind::DataFooter;
}

using Segments = QList<QPair<int, QString>>;

// A text waiting for the page count, with the numbers written in.
QString Resolve(const Segments& segments, const QString& page, const QString& total) {
    QString text;
    for (const auto& [token, piece] : segments)
        text += token == 0 ? piece : token == 1 ? page : total;
    return text;
}

// While a band is laid out its page numbers are not known yet: a text is measured with
// them as wide as they can get.
const QString kWidestPageNumber = QString(QString::number(kMaxPages).size(), u'0');

bool Near(double a, double b) {
    return qAbs(a - b) < 0.01;
}

// The height a wrapped text needs for its lines: as much room around them as the template
// leaves around one line, and never less than the template's height.
double NeededHeight(const RenderedItem& item) {
    const ReportObject& o = item.object;
    const double line = ReportLineHeight(o);
    const double edges = o.vAlign == VAlign::Center ? 0.0 : 2 * std::min(o.padding, 0.8);
    const double room = std::max(o.rect.height() - line, edges);
    return std::max(o.rect.height(), line * std::max<qsizetype>(1, item.lines.size()) + room);
}

// How a band that stretches grows, given its items laid out at the template's sizes with
// their wrapped lines. Returns the band's height.
//
// - A row is every object of the band with the top and the height of a wrapped text, as
//   the template has them: the cells of a table row, their frames and rules.
// - A row takes the height its tallest wrapped text needs (NeededHeight), and every object
//   in it takes the row's height, so the cells of a table row keep one height and their
//   frames meet. A text keeps its alignment inside its taller box.
// - An object that starts at or below the bottom of a row moves down as far as that row's
//   bottom moved (the farthest, when several rows lie above it); rows stacked one under
//   another move down together this way.
// - The band grows by as much as the bottom of its lowest content moved, and at least to
//   its lowest item. Objects that are in no row and start above every grown row's bottom
//   keep their place and size; nothing shrinks.
double Grow(double bandHeight, QList<RenderedItem>& items) {
    struct Row {
        double top, height, grown, newTop = 0;
        double Bottom() const { return top + height; }
        double NewBottom() const { return newTop + grown; }
    };
    QList<Row> rows;
    for (const RenderedItem& item : items) {
        if (item.Kind() != ObjectKind::Text || !item.object.wordWrap) continue;
        const QRectF& r = item.Rect();
        const double need = NeededHeight(item);
        auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& w) {
            return Near(w.top, r.top()) && Near(w.height, r.height());
        });
        if (row == rows.end()) {
            rows.append({r.top(), r.height(), need});
        } else {
            row->grown = std::max(row->grown, need);
        }
    }
    if (rows.isEmpty()) return bandHeight;
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.top != b.top ? a.top < b.top : a.height < b.height;
    });
    // How far a point of the template at y moves down. Rows are settled from the top, so the
    // rows above a point are settled when it is asked about.
    const auto shift = [&](double y, int settled) {
        double d = 0;
        for (int i = 0; i < settled; ++i) {
            if (rows[i].Bottom() <= y + 0.01) d = std::max(d, rows[i].NewBottom() - rows[i].Bottom());
        }
        return d;
    };
    for (int i = 0; i < rows.size(); ++i)
        rows[i].newTop = rows[i].top + shift(rows[i].top, i);
    const int all = int(rows.size());

    double height = bandHeight + shift(bandHeight, all);
    for (RenderedItem& item : items) {
        QRectF& r = item.object.rect;
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& w) {
            return Near(w.top, r.top()) && Near(w.height, r.height());
        });
        if (row != rows.end()) {
            r = QRectF(r.left(), row->newTop, r.width(), row->grown);
        } else {
            r.translate(0, shift(r.top(), all));
        }
        height = std::max(height, r.bottom());
    }
    return height;
}

} // namespace

ReportRenderer::ReportRenderer(const Report& report) : m_report(report), m_t(report.m_template) {}

const ReportDataSet* ReportRenderer::Lookup(const QString& name) const {
    if (m_report.m_main && !m_report.m_mainName.isEmpty() &&
        name.compare(m_report.m_mainName, Qt::CaseInsensitive) == 0)
        return m_report.m_main;
    return m_report.DataSet(name);
}

const ReportDataSet* ReportRenderer::SectionData(const Section& s) const {
    if (!s.data) return nullptr;
    return s.data->kind == BandKind::MasterData ? m_report.m_main : Lookup(s.data->dataSet);
}

bool ReportRenderer::BindExpression(const QString& objectName, const ReportExpression& e, Bound* out,
                                    QString* error) {
    using Kind = ReportExpression::Kind;
    out->kind = e.kind;
    const ReportDataSet* main = m_report.m_main;

    auto resolveSet = [&](const QString& name, const ReportDataSet** data) {
        if (name.isEmpty()) {
            *data = main;
            return true;
        }
        *data = Lookup(name);
        if (!*data) {
            *error = u"报表对象 %1 引用了不存在的数据集 %2"_s.arg(objectName, name);
            return false;
        }
        return true;
    };
    auto fieldName = [&] { return e.dataSet.isEmpty() ? e.field : e.dataSet + u'.' + e.field; };
    auto noField = [&] {
        *error = u"报表对象 %1 引用了不存在的字段 %2"_s.arg(objectName, fieldName());
        return false;
    };

    switch (e.kind) {
    case Kind::PageNumber:
    case Kind::TotalPages:
    case Kind::Date:
    case Kind::LineNumber:
        return true;
    case Kind::Count:
        return resolveSet(e.dataSet, &out->data);
    case Kind::Sum:
    case Kind::PageSum: {
        if (!resolveSet(e.dataSet, &out->data)) return false;
        if (!out->data || (out->column = out->data->ColumnIndex(e.field)) < 0) return noField();
        if (e.kind == Kind::Sum) {
            double sum = 0;
            for (int r = 0; r < out->data->RowCount(); ++r) {
                double v = 0;
                if (ReportNumber(out->data->Value(r, out->column), &v)) sum += v;
            }
            out->value = sum;
        }
        return true;
    }
    case Kind::Name: {
        if (!resolveSet(e.dataSet, &out->data)) return false;
        if (out->data && (out->column = out->data->ColumnIndex(e.field)) >= 0) return true;
        if (!e.dataSet.isEmpty()) return noField();
        // Not a field of the main data set: a variable, if the caller knows it.
        out->data = nullptr;
        const QString key = e.field.toLower();
        if (!m_variables.contains(key)) {
            QVariant value;
            if (m_report.m_variables) m_report.m_variables(e.field, value);
            m_variables.insert(key, value);
        }
        out->value = m_variables.value(key);
        if (!out->value.isValid()) return noField();
        out->isVariable = true;
        return true;
    }
    }
    return false;
}

bool ReportRenderer::Bind(QString* error) {
    const QDir folder(m_report.TemplateFolder());
    for (const ReportBand& band : m_t.bands) {
        if (band.kind == BandKind::DetailData) {
            if (band.dataSet.trimmed().isEmpty()) {
                *error = u"报表区域 %1 没有指定数据集"_s.arg(band.name);
                return false;
            }
            if (!Lookup(band.dataSet)) {
                *error = u"报表区域 %1 引用了不存在的数据集 %2"_s.arg(band.name, band.dataSet);
                return false;
            }
        }
        for (const ReportObject& o : band.objects) {
            if (o.kind == ObjectKind::Picture) {
                QImage image;
                if (!o.pictureData.isEmpty()) {
                    image = QImage::fromData(o.pictureData);
                } else if (!o.pictureFile.isEmpty()) {
                    image = QImage(folder.filePath(o.pictureFile));
                }
                m_pictures.insert(&o, image);
                continue;
            }
            if (o.kind != ObjectKind::Text) continue;
            QList<TextPiece> pieces;
            QString parseError;
            if (!ParseReportText(o.text, &pieces, &parseError)) {
                *error = u"报表对象 %1 的文字有误：%2"_s.arg(o.name, parseError);
                return false;
            }
            QList<BoundPiece> bound;
            for (const TextPiece& p : pieces) {
                BoundPiece b;
                b.isExpression = p.isExpression;
                b.literal = p.literal;
                if (p.isExpression && !BindExpression(o.name, p.expression, &b.bound, error)) return false;
                bound.append(b);
            }
            m_bound.insert(&o, bound);
        }
    }
    return true;
}

QVariant ReportRenderer::Value(const Bound& b, const Context& ctx) const {
    using Kind = ReportExpression::Kind;
    switch (b.kind) {
    case Kind::Name: {
        if (b.isVariable) return b.value;
        if (!b.data) return {};
        const int row = ctx.rows.value(b.data, 0);
        if (row < 0 || row >= b.data->RowCount()) return {};
        return b.data->Value(row, b.column);
    }
    case Kind::Date:
        return m_report.Today();
    case Kind::LineNumber:
        return ctx.line;
    case Kind::Count:
        return b.data ? b.data->RowCount() : 0;
    case Kind::Sum:
        return b.value;
    case Kind::PageSum: {
        double sum = 0;
        for (const auto& [data, row] : ctx.pageRows) {
            double v = 0;
            if (data == b.data && ReportNumber(b.data->Value(row, b.column), &v)) sum += v;
        }
        return sum;
    }
    case Kind::PageNumber:
    case Kind::TotalPages:
        break;
    }
    return {};
}

QString ReportRenderer::Evaluate(const ReportObject& o, const Context& ctx,
                                 QList<QPair<int, QString>>* segments) const {
    QString text;
    segments->clear();
    bool deferred = false;
    for (const BoundPiece& p : m_bound.value(&o)) {
        if (!p.isExpression) {
            text += p.literal;
            continue;
        }
        if (p.bound.kind == ReportExpression::Kind::PageNumber ||
            p.bound.kind == ReportExpression::Kind::TotalPages) {
            segments->append({0, text});
            segments->append({p.bound.kind == ReportExpression::Kind::PageNumber ? 1 : 2, QString()});
            text.clear();
            deferred = true;
            continue;
        }
        // Counts and line numbers are plain numbers; the object's format is for its values.
        const bool counted = p.bound.kind == ReportExpression::Kind::Count ||
                             p.bound.kind == ReportExpression::Kind::LineNumber;
        text += FormatReportValue(Value(p.bound, ctx), counted ? QString() : o.format);
    }
    if (deferred) {
        segments->append({0, text});
        return QString();
    }
    return text;
}

ReportRenderer::Laid ReportRenderer::Lay(const ReportBand& band, const Context& ctx) const {
    Laid laid;
    laid.height = band.height;
    for (const ReportObject& o : band.objects) {
        RenderedItem item;
        item.object = o;
        if (o.kind == ObjectKind::Text) {
            Segments segments;
            item.object.text = Evaluate(o, ctx, &segments);
            if (!segments.isEmpty()) laid.deferred.append({int(laid.items.size()), segments});
            if (o.wordWrap) {
                ReportObject measured = item.object;
                if (!segments.isEmpty())
                    measured.text = Resolve(segments, kWidestPageNumber, kWidestPageNumber);
                item.lines = WrapReportText(measured);
            }
        } else if (o.kind == ObjectKind::Picture) {
            item.image = m_pictures.value(&o);
            // The picture is drawn from the image; the page need not carry the file's bytes.
            item.object.pictureData.clear();
        }
        laid.items.append(std::move(item));
    }
    // The body's bottom is fixed before the first page is laid out: page footers keep their
    // height.
    if (band.stretch && band.kind != BandKind::PageFooter) laid.height = Grow(band.height, laid.items);
    return laid;
}

void ReportRenderer::Put(int page, const Laid& laid, double y) {
    RenderedPage& target = m_pages[page];
    const int first = int(target.items.size());
    for (const auto& [item, segments] : laid.deferred)
        m_deferred.append({page, first + item, segments});
    for (RenderedItem item : laid.items) {
        item.object.rect.translate(m_t.page.marginLeft, y);
        target.items.append(std::move(item));
    }
}

void ReportRenderer::StartPage() {
    if (m_pages.size() >= kMaxPages) {
        m_tooManyPages = true;
        return;
    }
    RenderedPage page;
    page.size = m_t.page.PageSize();
    m_pages.append(page);
    const int index = int(m_pages.size()) - 1;
    m_y = m_t.page.marginTop;
    m_ctx.pageRows.clear();
    for (const ReportBand& band : m_t.bands) {
        if (band.kind != BandKind::PageHeader) continue;
        if (index == 0 ? !band.onFirstPage : !band.everyPage) continue;
        const Laid laid = Lay(band, m_ctx);
        Put(index, laid, m_y);
        m_y += laid.height;
    }
    for (const ReportBand* header : m_repeatHeaders) {
        const Laid laid = Lay(*header, m_ctx);
        Put(index, laid, m_y);
        m_y += laid.height;
    }
    m_pageHasBody = false;
}

void ReportRenderer::ClosePage() {
    m_footerContexts.append(m_ctx);
}

bool ReportRenderer::EnsureSpace(double height) {
    if (m_tooManyPages) return false;
    if (m_pageHasBody && m_y + height > m_bodyBottom + kEpsilon) {
        ClosePage();
        StartPage();
        return true;
    }
    return false;
}

void ReportRenderer::Place(const ReportBand& band) {
    // A band goes whole onto the page it starts on, as tall as its content made it.
    Laid laid = Lay(band, m_ctx);
    // On a new page its page numbers and page sums are the new page's.
    if (EnsureSpace(laid.height)) laid = Lay(band, m_ctx);
    if (m_tooManyPages) return;
    Put(int(m_pages.size()) - 1, laid, m_y);
    m_y += laid.height;
    m_pageHasBody = true;
}

void ReportRenderer::RunSection(const Section& s) {
    const ReportDataSet* data = SectionData(s);
    const int rows = data ? data->RowCount() : 0;
    const auto layHeaders = [&] {
        QList<Laid> laid;
        for (const ReportBand* h : s.headers)
            laid.append(Lay(*h, m_ctx));
        return laid;
    };
    QList<Laid> headers = layHeaders();
    double height = 0;
    for (const Laid& h : headers)
        height += h.height;
    // Headers never stand alone at the foot of a page: they go with the first row, as tall as
    // that row prints.
    if (rows > 0 && s.data) {
        Context first = m_ctx;
        first.rows[data] = 0;
        first.line = 1;
        height += Lay(*s.data, first).height;
    }
    if (EnsureSpace(height)) headers = layHeaders();
    for (const Laid& h : headers) {
        if (m_tooManyPages) return;
        Put(int(m_pages.size()) - 1, h, m_y);
        m_y += h.height;
        m_pageHasBody = true;
    }
    if (s.data) {
        for (const ReportBand* h : s.headers) {
            if (h->repeatOnNewPage) m_repeatHeaders.append(h);
        }
        for (int r = 0; r < rows && !m_tooManyPages; ++r) {
            m_ctx.rows[data] = r;
            m_ctx.line = r + 1;
            Place(*s.data);
            m_ctx.pageRows.append({data, r});
        }
        m_repeatHeaders.clear();
    }
    for (const ReportBand* f : s.footers)
        Place(*f);
}

bool ReportRenderer::Run(QList<RenderedPage>* pages, QString* error) {
    if (!Bind(error)) return false;

    const PageSetup& page = m_t.page;
    const QSizeF size = page.PageSize();
    double footerHeight = 0;
    for (const ReportBand& band : m_t.bands) {
        if (band.kind == BandKind::PageFooter) footerHeight += band.height;
    }
    m_bodyBottom = size.height() - page.marginBottom - footerHeight;

    QList<Section> sections;
    bool open = false; // the last section may still take footers
    for (const ReportBand& band : m_t.bands) {
        if (!IsBody(band.kind)) continue;
        switch (band.kind) {
        case BandKind::DataHeader:
            if (open || sections.isEmpty() || sections.last().data || !sections.last().footers.isEmpty())
                sections.append(Section());
            open = false;
            sections.last().headers.append(&band);
            break;
        case BandKind::MasterData:
        case BandKind::DetailData:
            if (open || sections.isEmpty() || sections.last().data || !sections.last().footers.isEmpty())
                sections.append(Section());
            sections.last().data = &band;
            open = true;
            break;
        default: // DataFooter
            if (sections.isEmpty()) sections.append(Section());
            sections.last().footers.append(&band);
            break;
        }
    }

    StartPage();
    for (const ReportBand& band : m_t.bands) {
        if (band.kind == BandKind::ReportTitle) Place(band);
    }
    for (const Section& s : sections)
        RunSection(s);
    for (const ReportBand& band : m_t.bands) {
        if (band.kind == BandKind::ReportSummary) Place(band);
    }
    if (m_tooManyPages) {
        *error = u"报表超过 %1 页，已停止生成"_s.arg(kMaxPages);
        return false;
    }
    ClosePage();

    // Page footers go on last, when it is known which page is the last.
    const int last = int(m_pages.size()) - 1;
    for (int p = 0; p <= last; ++p) {
        double y = size.height() - page.marginBottom - footerHeight;
        for (const ReportBand& band : m_t.bands) {
            if (band.kind != BandKind::PageFooter) continue;
            const bool show = (p > 0 || band.onFirstPage) && (band.everyPage || p == last);
            if (show) Put(p, Lay(band, m_footerContexts.value(p)), y);
            y += band.height;
        }
    }
    const QString total = QString::number(m_pages.size());
    for (const Deferred& d : m_deferred) {
        RenderedItem& item = m_pages[d.page].items[d.item];
        item.object.text = Resolve(d.segments, QString::number(d.page + 1), total);
        // Its box was made tall enough for the widest numbers; its lines are the real ones.
        if (item.object.wordWrap) item.lines = WrapReportText(item.object);
    }
    *pages = std::move(m_pages);
    return true;
}

} // namespace tev

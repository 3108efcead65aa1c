#include "report_engine/ReportRenderer.h"

#include "report_engine/ReportFormat.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr double kEpsilon = 1e-6;
constexpr int kMaxPages = 20000;

bool IsBody(BandKind k) {
    return k == BandKind::DataHeader || k == BandKind::MasterData || k == BandKind::DetailData ||
           k == BandKind::DataFooter;
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

void ReportRenderer::Emit(int page, const ReportBand& band, double y, const Context& ctx) {
    RenderedPage& target = m_pages[page];
    for (const ReportObject& o : band.objects) {
        RenderedItem item;
        item.object = o;
        item.object.rect.translate(m_t.page.marginLeft, y);
        if (o.kind == ObjectKind::Text) {
            QList<QPair<int, QString>> segments;
            item.object.text = Evaluate(o, ctx, &segments);
            if (!segments.isEmpty()) m_deferred.append({page, int(target.items.size()), segments});
        } else if (o.kind == ObjectKind::Picture) {
            item.image = m_pictures.value(&o);
            // The picture is drawn from the image; the page need not carry the file's bytes.
            item.object.pictureData.clear();
        }
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
        Emit(index, band, m_y, m_ctx);
        m_y += band.height;
    }
    for (const ReportBand* header : m_repeatHeaders) {
        Emit(index, *header, m_y, m_ctx);
        m_y += header->height;
    }
    m_pageHasBody = false;
}

void ReportRenderer::ClosePage() {
    m_footerContexts.append(m_ctx);
}

void ReportRenderer::EnsureSpace(double height) {
    if (m_tooManyPages) return;
    if (m_pageHasBody && m_y + height > m_bodyBottom + kEpsilon) {
        ClosePage();
        StartPage();
    }
}

void ReportRenderer::Place(const ReportBand& band) {
    EnsureSpace(band.height);
    if (m_tooManyPages) return;
    Emit(int(m_pages.size()) - 1, band, m_y, m_ctx);
    m_y += band.height;
    m_pageHasBody = true;
}

void ReportRenderer::RunSection(const Section& s) {
    const ReportDataSet* data = SectionData(s);
    const int rows = data ? data->RowCount() : 0;
    double headers = 0;
    for (const ReportBand* h : s.headers)
        headers += h->height;
    // Headers never stand alone at the foot of a page: they go with the first row.
    EnsureSpace(headers + (rows > 0 && s.data ? s.data->height : 0));
    for (const ReportBand* h : s.headers) {
        if (m_tooManyPages) return;
        Emit(int(m_pages.size()) - 1, *h, m_y, m_ctx);
        m_y += h->height;
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
            if (show) Emit(p, band, y, m_footerContexts.value(p));
            y += band.height;
        }
    }
    const QString total = QString::number(m_pages.size());
    for (const Deferred& d : m_deferred) {
        QString text;
        for (const auto& [token, piece] : d.segments) {
            text += token == 0 ? piece : token == 1 ? QString::number(d.page + 1) : total;
        }
        m_pages[d.page].items[d.item].object.text = text;
    }
    *pages = std::move(m_pages);
    return true;
}

} // namespace tev

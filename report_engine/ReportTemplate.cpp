#include "report_engine/ReportTemplate.h"

#include <QPageSize>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace tev {

QString SongFontFamily() {
    return u"AR PL UMing CN"_s;
}
QString HeiFontFamily() {
    return u"WenQuanYi Micro Hei"_s;
}

namespace {

struct NamedSize {
    const char16_t* name;
    QPageSize::PageSizeId id;
};

constexpr NamedSize kSizes[] = {
    {u"A4", QPageSize::A4}, {u"A5", QPageSize::A5},         {u"A3", QPageSize::A3},
    {u"B5", QPageSize::B5}, {u"Letter", QPageSize::Letter},
};

struct KindName {
    BandKind kind;
    const char16_t* name;
    const char16_t* caption;
};

constexpr KindName kBandKinds[] = {
    {BandKind::ReportTitle, u"ReportTitle", u"报表标题"},
    {BandKind::PageHeader, u"PageHeader", u"页眉"},
    {BandKind::DataHeader, u"DataHeader", u"数据表头"},
    {BandKind::MasterData, u"MasterData", u"主数据"},
    {BandKind::DetailData, u"DetailData", u"明细数据"},
    {BandKind::DataFooter, u"DataFooter", u"数据表尾"},
    {BandKind::ReportSummary, u"ReportSummary", u"报表汇总"},
    {BandKind::PageFooter, u"PageFooter", u"页脚"},
};

} // namespace

QSizeF PageSetup::PaperSize() const {
    for (const NamedSize& s : kSizes) {
        if (size.compare(QString::fromUtf16(s.name), Qt::CaseInsensitive) == 0)
            return QPageSize::size(s.id, QPageSize::Millimeter);
    }
    return QSizeF(width, height);
}

QSizeF PageSetup::PageSize() const {
    const QSizeF paper = PaperSize();
    return landscape ? paper.transposed() : paper;
}

QStringList PageSizeNames() {
    QStringList names;
    for (const NamedSize& s : kSizes)
        names << QString::fromUtf16(s.name);
    names << u"Custom"_s;
    return names;
}

QString BandKindName(BandKind kind) {
    for (const KindName& k : kBandKinds) {
        if (k.kind == kind) return QString::fromUtf16(k.name);
    }
    return {};
}

bool BandKindFromName(const QString& name, BandKind* kind) {
    for (const KindName& k : kBandKinds) {
        if (name == QString::fromUtf16(k.name)) {
            *kind = k.kind;
            return true;
        }
    }
    return false;
}

QString BandKindCaption(BandKind kind) {
    for (const KindName& k : kBandKinds) {
        if (k.kind == kind) return QString::fromUtf16(k.caption);
    }
    return {};
}

QString ObjectKindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Text:
        return u"text"_s;
    case ObjectKind::Line:
        return u"line"_s;
    case ObjectKind::Rect:
        return u"rect"_s;
    case ObjectKind::Picture:
        return u"picture"_s;
    }
    return {};
}

} // namespace tev

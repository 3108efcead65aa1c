#include "report_engine/ReportFile.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr int kFormatVersion = 1;

QString Num(double v) {
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString ColorName(const QColor& c) {
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

QString AlignName(HAlign a) {
    switch (a) {
    case HAlign::Left:
        return u"left"_s;
    case HAlign::Center:
        return u"center"_s;
    case HAlign::Right:
        return u"right"_s;
    }
    return {};
}

QString VAlignName(VAlign a) {
    switch (a) {
    case VAlign::Top:
        return u"top"_s;
    case VAlign::Center:
        return u"center"_s;
    case VAlign::Bottom:
        return u"bottom"_s;
    }
    return {};
}

QString FrameName(int frame) {
    if ((frame & FrameAll) == FrameAll) return u"all"_s;
    QStringList sides;
    if (frame & FrameLeft) sides << u"left"_s;
    if (frame & FrameTop) sides << u"top"_s;
    if (frame & FrameRight) sides << u"right"_s;
    if (frame & FrameBottom) sides << u"bottom"_s;
    return sides.join(u' ');
}

// ---- writing -------------------------------------------------------------------------

void WriteBool(QXmlStreamWriter& w, const QString& name, bool value, bool def) {
    if (value != def) w.writeAttribute(name, value ? u"true"_s : u"false"_s);
}

void WriteNum(QXmlStreamWriter& w, const QString& name, double value, double def) {
    if (value != def) w.writeAttribute(name, Num(value));
}

void WriteText(QXmlStreamWriter& w, const QString& name, const QString& value, const QString& def) {
    if (value != def) w.writeAttribute(name, value);
}

void WriteColor(QXmlStreamWriter& w, const QString& name, const QColor& value, const QColor& def) {
    if (value != def && value.isValid()) w.writeAttribute(name, ColorName(value));
}

void WriteObject(QXmlStreamWriter& w, const ReportObject& o) {
    const ReportObject d;
    w.writeStartElement(ObjectKindName(o.kind));
    w.writeAttribute(u"name"_s, o.name);
    w.writeAttribute(u"x"_s, Num(o.rect.x()));
    w.writeAttribute(u"y"_s, Num(o.rect.y()));
    w.writeAttribute(u"w"_s, Num(o.rect.width()));
    w.writeAttribute(u"h"_s, Num(o.rect.height()));
    switch (o.kind) {
    case ObjectKind::Text:
        WriteText(w, u"font"_s, o.fontFamily, d.fontFamily);
        WriteNum(w, u"size"_s, o.fontSize, d.fontSize);
        WriteBool(w, u"bold"_s, o.bold, d.bold);
        WriteBool(w, u"italic"_s, o.italic, d.italic);
        WriteColor(w, u"color"_s, o.color, d.color);
        if (o.hAlign != d.hAlign) w.writeAttribute(u"align"_s, AlignName(o.hAlign));
        if (o.vAlign != d.vAlign) w.writeAttribute(u"valign"_s, VAlignName(o.vAlign));
        WriteBool(w, u"wrap"_s, o.wordWrap, d.wordWrap);
        WriteBool(w, u"shrink"_s, o.shrinkToFit, d.shrinkToFit);
        WriteText(w, u"format"_s, o.format, d.format);
        WriteNum(w, u"padding"_s, o.padding, d.padding);
        if (o.frame != d.frame) w.writeAttribute(u"frame"_s, FrameName(o.frame));
        WriteNum(w, u"frame-width"_s, o.lineWidth, d.lineWidth);
        WriteColor(w, u"frame-color"_s, o.lineColor, d.lineColor);
        WriteColor(w, u"fill"_s, o.fill, d.fill);
        w.writeCharacters(o.text);
        break;
    case ObjectKind::Line:
        WriteNum(w, u"width"_s, o.lineWidth, d.lineWidth);
        WriteColor(w, u"color"_s, o.lineColor, d.lineColor);
        break;
    case ObjectKind::Rect:
        WriteNum(w, u"width"_s, o.lineWidth, d.lineWidth);
        WriteColor(w, u"color"_s, o.lineColor, d.lineColor);
        WriteColor(w, u"fill"_s, o.fill, d.fill);
        break;
    case ObjectKind::Picture:
        WriteText(w, u"file"_s, o.pictureFile, d.pictureFile);
        WriteBool(w, u"keep-aspect"_s, o.keepAspect, d.keepAspect);
        if (!o.pictureData.isEmpty()) w.writeCharacters(QString::fromLatin1(o.pictureData.toBase64()));
        break;
    }
    w.writeEndElement();
}

// ---- reading -------------------------------------------------------------------------

// Reads one element's attributes, refusing names the element does not know and values
// that do not parse. The first problem found is kept.
class Attributes {
public:
    Attributes(const QXmlStreamReader& r, std::initializer_list<const char16_t*> known)
        : m_attrs(r.attributes()), m_line(r.lineNumber()), m_element(r.name().toString()) {
        QSet<QString> names;
        for (const char16_t* k : known)
            names.insert(QString::fromUtf16(k));
        for (const QXmlStreamAttribute& a : m_attrs) {
            if (!names.contains(a.name().toString())) {
                Fail(u"元素 <%1> 不认识属性 %2"_s.arg(m_element, a.name().toString()));
                break;
            }
        }
    }

    bool Has(const QString& name) const { return m_attrs.hasAttribute(name); }
    QString Text(const QString& name, const QString& def = {}) const {
        return Has(name) ? m_attrs.value(name).toString() : def;
    }

    double Number(const QString& name, double def) {
        if (!Has(name)) return def;
        bool ok = false;
        const double v = m_attrs.value(name).toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            Fail(u"属性 %1 的值 \"%2\" 不是数字"_s.arg(name, Text(name)));
            return def;
        }
        return v;
    }

    bool Bool(const QString& name, bool def) {
        if (!Has(name)) return def;
        const QString v = Text(name);
        if (v == u"true"_s || v == u"1"_s) return true;
        if (v == u"false"_s || v == u"0"_s) return false;
        Fail(u"属性 %1 的值 \"%2\" 应为 true 或 false"_s.arg(name, v));
        return def;
    }

    QColor Color(const QString& name, const QColor& def) {
        if (!Has(name)) return def;
        const QColor c = QColor::fromString(Text(name));
        if (!c.isValid()) Fail(u"属性 %1 的值 \"%2\" 不是颜色"_s.arg(name, Text(name)));
        return c.isValid() ? c : def;
    }

    void Fail(const QString& message) {
        if (m_error.isEmpty()) m_error = u"第 %1 行：%2"_s.arg(m_line).arg(message);
    }
    QString Error() const { return m_error; }

private:
    QXmlStreamAttributes m_attrs;
    qint64 m_line;
    QString m_element;
    QString m_error;
};

class Reader {
public:
    explicit Reader(const QByteArray& xml) : m_r(xml) {}

    bool Read(ReportTemplate* out, QString* error) {
        ReportTemplate t;
        if (m_r.readNextStartElement()) {
            if (m_r.name() != u"report"_s) {
                Fail(u"根元素应为 <report>"_s);
            } else {
                ReadReport(t);
            }
        } else if (!m_r.hasError()) {
            Fail(u"文件中没有 <report> 元素"_s);
        }
        if (m_error.isEmpty() && m_r.hasError()) {
            m_error = u"第 %1 行：%2"_s.arg(m_r.lineNumber()).arg(m_r.errorString());
        }
        if (!m_error.isEmpty()) {
            if (error) *error = m_error;
            return false;
        }
        *out = std::move(t);
        return true;
    }

private:
    void Fail(const QString& message) {
        if (m_error.isEmpty()) m_error = u"第 %1 行：%2"_s.arg(m_r.lineNumber()).arg(message);
    }
    bool Take(Attributes& a) {
        if (!a.Error().isEmpty() && m_error.isEmpty()) m_error = a.Error();
        return m_error.isEmpty();
    }

    void ReadReport(ReportTemplate& t) {
        Attributes a(m_r, {u"version", u"title"});
        const double version = a.Number(u"version"_s, kFormatVersion);
        t.title = a.Text(u"title"_s);
        if (!Take(a)) return;
        if (version > kFormatVersion) {
            Fail(u"模板格式版本 %1 高于本程序支持的版本 %2"_s.arg(Num(version)).arg(kFormatVersion));
            return;
        }
        while (m_error.isEmpty() && m_r.readNextStartElement()) {
            if (m_r.name() == u"page"_s) {
                ReadPage(t.page);
            } else if (m_r.name() == u"band"_s) {
                ReportBand band;
                ReadBand(band);
                t.bands.append(std::move(band));
            } else {
                Fail(u"<report> 中不应有元素 <%1>"_s.arg(m_r.name().toString()));
            }
        }
    }

    void ReadPage(PageSetup& p) {
        Attributes a(m_r, {u"size", u"width", u"height", u"orientation", u"margin-left", u"margin-top",
                           u"margin-right", u"margin-bottom"});
        p.size = a.Text(u"size"_s, p.size);
        if (!PageSizeNames().contains(p.size)) a.Fail(u"不认识的纸张大小 %1"_s.arg(p.size));
        p.width = a.Number(u"width"_s, p.width);
        p.height = a.Number(u"height"_s, p.height);
        const QString orientation = a.Text(u"orientation"_s, u"portrait"_s);
        if (orientation == u"landscape"_s) {
            p.landscape = true;
        } else if (orientation != u"portrait"_s) {
            a.Fail(u"方向应为 portrait 或 landscape"_s);
        }
        p.marginLeft = a.Number(u"margin-left"_s, p.marginLeft);
        p.marginTop = a.Number(u"margin-top"_s, p.marginTop);
        p.marginRight = a.Number(u"margin-right"_s, p.marginRight);
        p.marginBottom = a.Number(u"margin-bottom"_s, p.marginBottom);
        if (p.width <= 0 || p.height <= 0) a.Fail(u"纸张宽度和高度必须大于 0"_s);
        if (!Take(a)) return;
        NoChildren();
    }

    void ReadBand(ReportBand& b) {
        Attributes a(m_r, {u"kind", u"name", u"height", u"dataset", u"every-page", u"first-page", u"repeat",
                           u"stretch"});
        const QString kind = a.Text(u"kind"_s);
        if (!BandKindFromName(kind, &b.kind)) a.Fail(u"不认识的区域类型 \"%1\""_s.arg(kind));
        b.name = a.Text(u"name"_s);
        b.height = a.Number(u"height"_s, b.height);
        if (b.height < 0) a.Fail(u"区域高度不能为负"_s);
        b.dataSet = a.Text(u"dataset"_s);
        b.everyPage = a.Bool(u"every-page"_s, b.everyPage);
        b.onFirstPage = a.Bool(u"first-page"_s, b.onFirstPage);
        b.repeatOnNewPage = a.Bool(u"repeat"_s, b.repeatOnNewPage);
        b.stretch = a.Bool(u"stretch"_s, b.stretch);
        if (!Take(a)) return;
        while (m_error.isEmpty() && m_r.readNextStartElement()) {
            ReportObject o;
            const QString element = m_r.name().toString();
            if (element == u"text"_s) {
                o.kind = ObjectKind::Text;
            } else if (element == u"line"_s) {
                o.kind = ObjectKind::Line;
            } else if (element == u"rect"_s) {
                o.kind = ObjectKind::Rect;
            } else if (element == u"picture"_s) {
                o.kind = ObjectKind::Picture;
            } else {
                Fail(u"<band> 中不应有元素 <%1>"_s.arg(element));
                return;
            }
            ReadObject(o);
            b.objects.append(std::move(o));
        }
    }

    void ReadObject(ReportObject& o) {
        Attributes a = [&] {
            switch (o.kind) {
            case ObjectKind::Text:
                return Attributes(m_r, {u"name",    u"x",      u"y",           u"w",           u"h",
                                        u"font",    u"size",   u"bold",        u"italic",      u"color",
                                        u"align",   u"valign", u"wrap",        u"shrink",      u"format",
                                        u"padding", u"frame",  u"frame-width", u"frame-color", u"fill"});
            case ObjectKind::Line:
                return Attributes(m_r, {u"name", u"x", u"y", u"w", u"h", u"width", u"color"});
            case ObjectKind::Rect:
                return Attributes(m_r, {u"name", u"x", u"y", u"w", u"h", u"width", u"color", u"fill"});
            case ObjectKind::Picture:
                break;
            }
            return Attributes(m_r, {u"name", u"x", u"y", u"w", u"h", u"file", u"keep-aspect"});
        }();
        o.name = a.Text(u"name"_s);
        o.rect = QRectF(a.Number(u"x"_s, 0), a.Number(u"y"_s, 0), a.Number(u"w"_s, 0), a.Number(u"h"_s, 0));
        if (o.rect.width() < 0 || o.rect.height() < 0) a.Fail(u"对象 %1 的宽度和高度不能为负"_s.arg(o.name));
        switch (o.kind) {
        case ObjectKind::Text: {
            o.fontFamily = a.Text(u"font"_s, o.fontFamily);
            o.fontSize = a.Number(u"size"_s, o.fontSize);
            if (o.fontSize <= 0) a.Fail(u"字号必须大于 0"_s);
            o.bold = a.Bool(u"bold"_s, o.bold);
            o.italic = a.Bool(u"italic"_s, o.italic);
            o.color = a.Color(u"color"_s, o.color);
            const QString align = a.Text(u"align"_s, u"left"_s);
            if (align == u"center"_s) {
                o.hAlign = HAlign::Center;
            } else if (align == u"right"_s) {
                o.hAlign = HAlign::Right;
            } else if (align != u"left"_s) {
                a.Fail(u"align 应为 left、center 或 right"_s);
            }
            const QString valign = a.Text(u"valign"_s, u"center"_s);
            if (valign == u"top"_s) {
                o.vAlign = VAlign::Top;
            } else if (valign == u"bottom"_s) {
                o.vAlign = VAlign::Bottom;
            } else if (valign != u"center"_s) {
                a.Fail(u"valign 应为 top、center 或 bottom"_s);
            }
            o.wordWrap = a.Bool(u"wrap"_s, o.wordWrap);
            o.shrinkToFit = a.Bool(u"shrink"_s, o.shrinkToFit);
            o.format = a.Text(u"format"_s);
            o.padding = a.Number(u"padding"_s, o.padding);
            o.frame = FrameNone;
            const QStringList sides = a.Text(u"frame"_s).split(u' ', Qt::SkipEmptyParts);
            for (const QString& side : sides) {
                if (side == u"all"_s) {
                    o.frame |= FrameAll;
                } else if (side == u"left"_s) {
                    o.frame |= FrameLeft;
                } else if (side == u"top"_s) {
                    o.frame |= FrameTop;
                } else if (side == u"right"_s) {
                    o.frame |= FrameRight;
                } else if (side == u"bottom"_s) {
                    o.frame |= FrameBottom;
                } else {
                    a.Fail(u"frame 中不认识的边 %1"_s.arg(side));
                }
            }
            o.lineWidth = a.Number(u"frame-width"_s, o.lineWidth);
            o.lineColor = a.Color(u"frame-color"_s, o.lineColor);
            o.fill = a.Color(u"fill"_s, o.fill);
            if (!Take(a)) return;
            o.text = m_r.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            return;
        }
        case ObjectKind::Line:
        case ObjectKind::Rect:
            o.lineWidth = a.Number(u"width"_s, o.lineWidth);
            o.lineColor = a.Color(u"color"_s, o.lineColor);
            if (o.kind == ObjectKind::Rect) o.fill = a.Color(u"fill"_s, o.fill);
            if (!Take(a)) return;
            NoChildren();
            return;
        case ObjectKind::Picture: {
            o.pictureFile = a.Text(u"file"_s);
            o.keepAspect = a.Bool(u"keep-aspect"_s, o.keepAspect);
            if (!Take(a)) return;
            const QString data = m_r.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).trimmed();
            if (!data.isEmpty()) {
                auto decoded =
                    QByteArray::fromBase64Encoding(data.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
                if (!decoded) {
                    Fail(u"图片 %1 的内嵌数据不是 Base64"_s.arg(o.name));
                    return;
                }
                o.pictureData = *decoded;
            }
            return;
        }
        }
    }

    // The element just opened must hold nothing but white space.
    void NoChildren() {
        const QString text = m_r.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (!text.trimmed().isEmpty()) Fail(u"元素中不应有文字"_s);
    }

    QXmlStreamReader m_r;
    QString m_error;
};

} // namespace

bool ParseTemplate(const QByteArray& xml, ReportTemplate* out, QString* error) {
    Reader reader(xml);
    return reader.Read(out, error);
}

bool ReadTemplateFile(const QString& path, ReportTemplate* out, QString* error) {
    QFile file(path);
    if (!file.exists()) {
        if (error) *error = u"报表模板文件 %1 不存在"_s.arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = u"无法读取报表模板文件 %1：%2"_s.arg(path, file.errorString());
        return false;
    }
    QString parseError;
    if (!ParseTemplate(file.readAll(), out, &parseError)) {
        if (error) *error = u"报表模板文件 %1 格式错误，%2"_s.arg(path, parseError);
        return false;
    }
    return true;
}

QByteArray TemplateToXml(const ReportTemplate& report) {
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(u"report"_s);
    w.writeAttribute(u"version"_s, QString::number(kFormatVersion));
    if (!report.title.isEmpty()) w.writeAttribute(u"title"_s, report.title);

    const PageSetup& p = report.page;
    const PageSetup d;
    w.writeStartElement(u"page"_s);
    w.writeAttribute(u"size"_s, p.size);
    if (p.size == u"Custom"_s) {
        w.writeAttribute(u"width"_s, Num(p.width));
        w.writeAttribute(u"height"_s, Num(p.height));
    }
    w.writeAttribute(u"orientation"_s, p.landscape ? u"landscape"_s : u"portrait"_s);
    w.writeAttribute(u"margin-left"_s, Num(p.marginLeft));
    w.writeAttribute(u"margin-top"_s, Num(p.marginTop));
    w.writeAttribute(u"margin-right"_s, Num(p.marginRight));
    w.writeAttribute(u"margin-bottom"_s, Num(p.marginBottom));
    w.writeEndElement();

    const ReportBand db;
    for (const ReportBand& b : report.bands) {
        w.writeStartElement(u"band"_s);
        w.writeAttribute(u"kind"_s, BandKindName(b.kind));
        w.writeAttribute(u"name"_s, b.name);
        w.writeAttribute(u"height"_s, Num(b.height));
        WriteText(w, u"dataset"_s, b.dataSet, db.dataSet);
        WriteBool(w, u"every-page"_s, b.everyPage, db.everyPage);
        WriteBool(w, u"first-page"_s, b.onFirstPage, db.onFirstPage);
        WriteBool(w, u"repeat"_s, b.repeatOnNewPage, db.repeatOnNewPage);
        WriteBool(w, u"stretch"_s, b.stretch, db.stretch);
        for (const ReportObject& o : b.objects)
            WriteObject(w, o);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    if (!xml.endsWith('\n')) xml.append('\n');
    return xml;
}

bool WriteTemplateFile(const QString& path, const ReportTemplate& report, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(TemplateToXml(report)) < 0 || !file.commit()) {
        if (error) *error = u"无法保存报表模板文件 %1：%2"_s.arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace tev

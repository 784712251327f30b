#include "ReportLayout.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMetaType>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace platform::report {
namespace {

// Text is measured on a fixed 1200 dpi device: fine enough that rounding to
// device pixels does not show in millimetres, and the same whatever the
// screen or printer the page is later painted on.
constexpr double kMeasureDpi = 1200;
constexpr double kMmPerInch = 25.4;
// A band that exactly fills the space above the page footer still fits; the
// tolerance absorbs the rounding of sums of millimetre fractions.
constexpr double kFitToleranceMm = 1e-6;

QPaintDevice* measureDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kMeasureDpi / (kMmPerInch / 1000.0));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

double measureWrapped(const QFontMetricsF& metrics, const QString& text, double widthMm) {
    if (text.isEmpty())
        return 0;
    const double pxPerMm = kMeasureDpi / kMmPerInch;
    const QRectF bounds =
        metrics.boundingRect(QRectF(0, 0, std::max(widthMm, 0.0) * pxPerMm, 1e9),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return bounds.height() / pxPerMm;
}

bool sameFont(const Font& a, const Font& b) {
    return a.pointSize == b.pointSize && a.bold == b.bold && a.italic == b.italic &&
           a.family == b.family;
}

/// Metrics per font for one layout run: building a QFont and its metrics for
/// every wrapped item of every row would show in long reports.
class MetricsCache {
public:
    const QFontMetricsF& metrics(const Font& font) {
        for (const auto& entry : m_entries)
            if (sameFont(entry.first, font))
                return entry.second;
        m_entries.emplace_back(font, QFontMetricsF(toQFont(font), measureDevice()));
        return m_entries.back().second;
    }

private:
    std::vector<std::pair<Font, QFontMetricsF>> m_entries;
};

bool isNumericType(int typeId) {
    switch (typeId) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            return true;
        default:
            return false;
    }
}

/// Reads a number stored as text: a decimal point or a single decimal comma
/// (the station's own texts use the comma), no thousands grouping.
bool readNumber(const QString& text, double* value) {
    QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    if (!s.contains(QLatin1Char('.')) && s.count(QLatin1Char(',')) == 1)
        s.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

/// A value as printed without a display format.
QString plainText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
        case QMetaType::QDate:
            return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        case QMetaType::QDateTime:
            return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        case QMetaType::QTime:
            return value.toTime().toString(QStringLiteral("hh:mm:ss"));
        case QMetaType::Double:
        case QMetaType::Float:
            // Fifteen significant digits: what a double holds reliably, so
            // 0.1 + 0.2 prints as 0.3 and not as its binary neighbour.
            return QString::number(value.toDouble(), 'g', 15);
        default:
            return value.toString();
    }
}

/// A value in a display format. Numbers (and texts that read as numbers) go
/// through formatNumber; dates and times take the format as a Qt date-time
/// format; anything else prints as it is.
QString formattedText(const QVariant& value, const QString& format, QChar separator) {
    if (!value.isValid() || value.isNull())
        return {};
    const int type = value.typeId();
    if (isNumericType(type))
        return formatNumber(value.toDouble(), format, separator);
    if (type == QMetaType::QDate)
        return value.toDate().toString(format);
    if (type == QMetaType::QDateTime)
        return value.toDateTime().toString(format);
    if (type == QMetaType::QTime)
        return value.toTime().toString(format);
    const QString text = plainText(value);
    if (text.trimmed().isEmpty())
        return {};
    double number = 0;
    return readNumber(text, &number) ? formatNumber(number, format, separator) : text;
}

/// The row's value of `name`, spelled in any case. The row's own spelling is
/// remembered in `cachedKey`, since every row of a query spells it alike.
const QVariant* findValue(const QVariantMap& map, const QString& name, QString& cachedKey) {
    auto it = map.constFind(name);
    if (it != map.cend())
        return &it.value();
    if (!cachedKey.isEmpty()) {
        it = map.constFind(cachedKey);
        if (it != map.cend())
            return &it.value();
    }
    for (it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0) {
            cachedKey = it.key();
            return &it.value();
        }
    }
    return nullptr;
}

/// One piece of a text template: literal text or one placeholder.
struct Piece {
    enum class Kind { Literal, Field, Page, Pages, Row, GroupRow, Now };
    Kind kind = Kind::Literal;
    QString text;  // the literal, or the column name
    QString format;
    bool hasFormat = false;
    const QVariant* reportValue = nullptr;  // the report-wide fallback
    mutable QString cachedKey;
};

Piece placeholder(const QString& inner) {
    Piece piece;
    const qsizetype colon = inner.indexOf(QLatin1Char(':'));
    const QString name = (colon < 0 ? inner : inner.left(colon)).trimmed();
    if (colon >= 0) {
        piece.format = inner.mid(colon + 1);
        piece.hasFormat = true;
    }
    if (name.startsWith(QLatin1Char('#'))) {
        const QString word = name.mid(1).toLower();
        if (word == QLatin1String("page")) {
            piece.kind = Piece::Kind::Page;
        } else if (word == QLatin1String("pages")) {
            piece.kind = Piece::Kind::Pages;
        } else if (word == QLatin1String("row")) {
            piece.kind = Piece::Kind::Row;
        } else if (word == QLatin1String("grouprow")) {
            piece.kind = Piece::Kind::GroupRow;
        } else if (word == QLatin1String("now")) {
            piece.kind = Piece::Kind::Now;
        } else {
            // An unknown counter prints nothing rather than a column named "#x".
            piece.kind = Piece::Kind::Literal;
        }
        return piece;
    }
    piece.kind = Piece::Kind::Field;
    piece.text = name;
    return piece;
}

/// Splits a template once into pieces, so rows only fill them in.
QList<Piece> parseTemplate(const QString& t) {
    QList<Piece> pieces;
    QString literal;
    const auto flush = [&] {
        if (literal.isEmpty())
            return;
        Piece piece;
        piece.text = literal;
        pieces.append(piece);
        literal.clear();
    };
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = t.at(i);
        if (c == QLatin1Char('{')) {
            if (i + 1 < n && t.at(i + 1) == QLatin1Char('{')) {
                literal += c;
                i += 2;
                continue;
            }
            const qsizetype close = t.indexOf(QLatin1Char('}'), i + 1);
            if (close < 0) {  // an unclosed brace is plain text
                literal += t.mid(i);
                break;
            }
            flush();
            pieces.append(placeholder(t.mid(i + 1, close - i - 1)));
            i = close + 1;
            continue;
        }
        if (c == QLatin1Char('}')) {
            literal += c;
            i += (i + 1 < n && t.at(i + 1) == QLatin1Char('}')) ? 2 : 1;
            continue;
        }
        literal += c;
        ++i;
    }
    flush();
    return pieces;
}

struct CompiledItem {
    const Item* item = nullptr;
    QList<Piece> pieces;
    bool usesPages = false;
};

struct CompiledBand {
    const Band* band = nullptr;
    QList<CompiledItem> items;
};

/// What placeholders of one band instance read.
struct Context {
    const QVariantMap* row = nullptr;
    int page = 0;
    int pages = 0;
    int rowNo = 0;
    int groupRow = 0;
};

/// A band measured for one context: its item texts and its grown height.
struct Measured {
    QStringList texts;
    QList<double> wrappedHeights;
    double height = 0;
};

struct PageState {
    QList<PlacedItem> body;
    int firstRow = -1;
    int lastRow = -1;
    int rowBefore = -1;  // the last row processed when the page opened
    double contentEnd = 0;
};

/// An item whose text holds {#pages}: filled in again once the count is known.
struct Deferred {
    int page;
    qsizetype index;
    const CompiledItem* item;
    Context context;
};

class Engine {
public:
    Engine(const ReportDefinition& definition, const ReportData& data, const QDateTime& printedAt)
        : m_def(definition), m_data(data), m_printedAt(printedAt) {
        compile();
    }

    LaidOutDocument run();

private:
    void compile();
    QString resolve(const CompiledItem& item, const Context& ctx) const;
    Measured measure(const CompiledBand& band, const Context& ctx);
    void put(QList<PlacedItem>& out, const CompiledBand& band, const Measured& m, double top,
             const Context& ctx, int page);
    void openPage();
    void placeBody(const CompiledBand& band, Context ctx);
    void markRow(int row);
    Context pageContext(int row, int page) const;
    QString groupKey(int level, const QVariantMap& row) const;
    void printGroupBands(const QList<const CompiledBand*>& bands, const Context& ctx);
    LaidOutDocument finish();

    const ReportDefinition& m_def;
    const ReportData& m_data;
    QDateTime m_printedAt;
    MetricsCache m_metrics;

    QList<CompiledBand> m_bands;
    QList<const CompiledBand*> m_pageHeaders, m_pageFooters, m_details, m_summaries;
    QStringList m_levelFields;
    QList<QList<const CompiledBand*>> m_groupHeaders, m_groupFooters;
    mutable QList<QString> m_levelKeys;  // cached row spelling of each group column
    QList<const QVariant*> m_levelReportValues;

    QList<PageState> m_pages;
    QList<Deferred> m_deferred;
    std::vector<int> m_rowGroupRow;  // {#grouprow} of each row, for page bands
    double m_y = 0;
    double m_limit = 0;
    bool m_pageHasBody = false;
    int m_nextRow = 0;
    int m_lastRow = -1;
};

void Engine::compile() {
    m_bands.reserve(m_def.bands.size());
    for (const Band& band : m_def.bands) {
        CompiledBand compiled;
        compiled.band = &band;
        for (const Item& item : band.items) {
            CompiledItem ci;
            ci.item = &item;
            if (item.kind == ItemKind::Text) {
                ci.pieces = parseTemplate(item.text);
                for (Piece& piece : ci.pieces) {
                    if (piece.kind == Piece::Kind::Pages)
                        ci.usesPages = true;
                    if (piece.kind == Piece::Kind::Field) {
                        QString key;
                        piece.reportValue = findValue(m_data.values, piece.text, key);
                    }
                }
            }
            compiled.items.append(std::move(ci));
        }
        m_bands.append(std::move(compiled));
    }

    // Group levels: the headers' columns in their order, outermost first; a
    // footer without a header of its own opens a further inner level.
    const auto levelOf = [this](const QString& field) {
        for (qsizetype l = 0; l < m_levelFields.size(); ++l)
            if (m_levelFields.at(l).compare(field, Qt::CaseInsensitive) == 0)
                return int(l);
        m_levelFields.append(field);
        m_groupHeaders.append(QList<const CompiledBand*>());
        m_groupFooters.append(QList<const CompiledBand*>());
        return int(m_levelFields.size() - 1);
    };
    for (const CompiledBand& b : m_bands)
        if (b.band->kind == BandKind::GroupHeader)
            m_groupHeaders[levelOf(b.band->groupField)].append(&b);
    for (const CompiledBand& b : m_bands)
        if (b.band->kind == BandKind::GroupFooter)
            m_groupFooters[levelOf(b.band->groupField)].append(&b);
    for (const CompiledBand& b : m_bands) {
        switch (b.band->kind) {
            case BandKind::PageHeader:
                m_pageHeaders.append(&b);
                break;
            case BandKind::PageFooter:
                m_pageFooters.append(&b);
                break;
            case BandKind::Detail:
                m_details.append(&b);
                break;
            case BandKind::Summary:
                m_summaries.append(&b);
                break;
            case BandKind::GroupHeader:
            case BandKind::GroupFooter:
                break;
        }
    }
    m_levelKeys.resize(m_levelFields.size());
    for (const QString& field : std::as_const(m_levelFields)) {
        QString key;
        m_levelReportValues.append(findValue(m_data.values, field, key));
    }
}

QString Engine::resolve(const CompiledItem& item, const Context& ctx) const {
    QString out;
    for (const Piece& piece : item.pieces) {
        switch (piece.kind) {
            case Piece::Kind::Literal:
                out += piece.text;
                break;
            case Piece::Kind::Field: {
                const QVariant* v =
                    ctx.row ? findValue(*ctx.row, piece.text, piece.cachedKey) : nullptr;
                if (!v)
                    v = piece.reportValue;
                if (v)
                    out += piece.hasFormat ? formattedText(*v, piece.format, m_def.decimalSeparator)
                                           : plainText(*v);
                break;
            }
            case Piece::Kind::Page:
                out += QString::number(ctx.page);
                break;
            case Piece::Kind::Pages:
                out += QString::number(ctx.pages);
                break;
            case Piece::Kind::Row:
                out += QString::number(ctx.rowNo);
                break;
            case Piece::Kind::GroupRow:
                out += QString::number(ctx.groupRow);
                break;
            case Piece::Kind::Now:
                out += m_printedAt.toString(
                    piece.hasFormat ? piece.format : QStringLiteral("dd/MM/yyyy hh:mm:ss"));
                break;
        }
    }
    return out;
}

/// Resolves the band's texts and grows it so every wrapped text fits: by the
/// largest overflow of a wrapped item over its own height.
Measured Engine::measure(const CompiledBand& band, const Context& ctx) {
    Measured m;
    const qsizetype n = band.items.size();
    m.texts.resize(n);
    m.wrappedHeights.resize(n);
    double extra = 0;
    for (qsizetype k = 0; k < n; ++k) {
        const CompiledItem& ci = band.items.at(k);
        const Item& item = *ci.item;
        if (item.kind != ItemKind::Text)
            continue;
        m.texts[k] = resolve(ci, ctx);
        const double height = std::abs(item.rectMm.height());
        m.wrappedHeights[k] = height;
        if (item.wordWrap) {
            const double needed = measureWrapped(m_metrics.metrics(item.font), m.texts.at(k),
                                                 std::abs(item.rectMm.width()));
            m.wrappedHeights[k] = std::max(height, needed);
            extra = std::max(extra, needed - height);
        }
    }
    m.height = band.band->heightMm + extra;
    return m;
}

void Engine::put(QList<PlacedItem>& out, const CompiledBand& band, const Measured& m, double top,
                 const Context& ctx, int page) {
    const QPointF origin(m_def.page.leftMm, top);
    for (qsizetype k = 0; k < band.items.size(); ++k) {
        const CompiledItem& ci = band.items.at(k);
        const Item& item = *ci.item;
        PlacedItem p;
        p.kind = item.kind;
        p.rectMm = item.rectMm.translated(origin);  // not normalised: lines keep their direction
        if (item.kind == ItemKind::Text) {
            p.text = m.texts.at(k);
            if (item.wordWrap)
                p.rectMm.setHeight(m.wrappedHeights.at(k));
        }
        p.font = item.font;
        p.align = item.align;
        p.box = item.box;
        p.wordWrap = item.wordWrap;
        p.picture = item.picture;
        p.color = item.color;
        p.lineWidthMm = item.lineWidthMm;
        if (ci.usesPages && page >= 0)
            m_deferred.append({page, out.size(), &ci, ctx});
        out.append(std::move(p));
    }
}

/// Counters and values for a page band: those of `row`, or the report-wide
/// values alone when there is no row at all.
Context Engine::pageContext(int row, int page) const {
    Context ctx;
    ctx.page = page;
    ctx.pages = int(m_pages.size());
    if (row >= 0 && row < m_data.rows.size()) {
        ctx.row = &m_data.rows.at(row);
        ctx.rowNo = row + 1;
        ctx.groupRow = row < int(m_rowGroupRow.size()) ? m_rowGroupRow[row] : 1;
    }
    return ctx;
}

/// Starts a page below its page headers. The headers are painted only at the
/// end (their values come from the first row printed on the page), but their
/// height, and the footers', is reserved now with the row about to print.
void Engine::openPage() {
    PageState state;
    state.rowBefore = m_lastRow;
    m_pages.append(state);
    const int pageNo = int(m_pages.size());
    const int provisionalRow = m_nextRow < m_data.rows.size() ? m_nextRow : m_lastRow;
    const Context ctx = pageContext(provisionalRow, pageNo);

    double y = m_def.page.topMm;
    for (const CompiledBand* band : std::as_const(m_pageHeaders))
        if (band->band->visible)
            y += measure(*band, ctx).height;
    m_y = y;
    m_pageHasBody = false;
    if (m_def.page.continuous) {
        m_limit = std::numeric_limits<double>::infinity();
        return;
    }
    double footers = 0;
    for (const CompiledBand* band : std::as_const(m_pageFooters))
        if (band->band->visible)
            footers += measure(*band, ctx).height;
    m_limit = m_def.page.heightMm - m_def.page.bottomMm - footers;
}

/// Places a band at the cursor, first breaking the page when it would cross
/// the page footer. A band too tall for any page still goes on a fresh page
/// rather than breaking for ever.
void Engine::placeBody(const CompiledBand& band, Context ctx) {
    if (!band.band->visible)
        return;
    ctx.page = int(m_pages.size());
    ctx.pages = int(m_pages.size());
    Measured m = measure(band, ctx);
    if (m_pageHasBody && m_y + m.height > m_limit + kFitToleranceMm) {
        m_pages.last().contentEnd = m_y;
        openPage();
        ctx.page = ctx.pages = int(m_pages.size());
        m = measure(band, ctx);
    }
    put(m_pages.last().body, band, m, m_y, ctx, int(m_pages.size()) - 1);
    m_y += m.height;
    m_pageHasBody = true;
}

void Engine::markRow(int row) {
    PageState& page = m_pages.last();
    if (page.firstRow < 0)
        page.firstRow = row;
    page.lastRow = row;
}

QString Engine::groupKey(int level, const QVariantMap& row) const {
    const QVariant* v = findValue(row, m_levelFields.at(level), m_levelKeys[level]);
    if (!v)
        v = m_levelReportValues.at(level);
    return v ? plainText(*v) : QString();
}

void Engine::printGroupBands(const QList<const CompiledBand*>& bands, const Context& ctx) {
    for (const CompiledBand* band : bands) {
        if (!band->band->visible)
            continue;
        if (band->band->kind == BandKind::GroupHeader && band->band->newPageBefore &&
            !m_def.page.continuous && m_pageHasBody) {
            m_pages.last().contentEnd = m_y;
            openPage();
        }
        placeBody(*band, ctx);
    }
}

/// Counters seen by each band: a detail band its row's number and its place
/// in the innermost group; a group header those of the group's first row
/// ({#grouprow} 1); a group footer those of its last row, {#grouprow} then
/// being the number of rows in that group (its own level, not the
/// innermost); the summary the row count. Rows whose detail band is switched
/// off still count: they are rows of the report, only not shown.
LaidOutDocument Engine::run() {
    const int rowCount = int(m_data.rows.size());
    const int levels = int(m_levelFields.size());
    m_rowGroupRow.assign(std::size_t(rowCount), 0);
    openPage();

    QStringList previous(levels), keys(levels);
    QList<int> groupRows(levels, 0);
    for (int i = 0; i < rowCount; ++i) {
        m_nextRow = i;
        const QVariantMap& row = m_data.rows.at(i);
        for (int l = 0; l < levels; ++l) keys[l] = groupKey(l, row);
        int changed = 0;
        if (i > 0) {
            while (changed < levels && keys.at(changed) == previous.at(changed)) ++changed;
            // Footers close from the innermost group out, on the group's last row.
            for (int l = levels - 1; l >= changed; --l) {
                Context ctx;
                ctx.row = &m_data.rows.at(i - 1);
                ctx.rowNo = i;
                ctx.groupRow = groupRows.at(l);
                printGroupBands(m_groupFooters.at(l), ctx);
            }
        }
        for (int l = changed; l < levels; ++l) {
            groupRows[l] = 0;
            Context ctx;
            ctx.row = &row;
            ctx.rowNo = i + 1;
            ctx.groupRow = 1;
            printGroupBands(m_groupHeaders.at(l), ctx);
        }
        for (int l = 0; l < levels; ++l) ++groupRows[l];

        Context ctx;
        ctx.row = &row;
        ctx.rowNo = i + 1;
        ctx.groupRow = levels > 0 ? groupRows.at(levels - 1) : i + 1;
        m_rowGroupRow[std::size_t(i)] = ctx.groupRow;
        m_lastRow = i;
        bool printed = false;
        for (const CompiledBand* band : std::as_const(m_details)) {
            if (!band->band->visible)
                continue;
            placeBody(*band, ctx);
            markRow(i);
            printed = true;
        }
        // A row whose detail is switched off still belongs to the page it
        // was read on (its page header and footer show it).
        if (!printed)
            markRow(i);
        previous = keys;
    }
    m_nextRow = rowCount;

    if (rowCount > 0) {
        for (int l = levels - 1; l >= 0; --l) {
            Context ctx;
            ctx.row = &m_data.rows.at(rowCount - 1);
            ctx.rowNo = rowCount;
            ctx.groupRow = groupRows.at(l);
            printGroupBands(m_groupFooters.at(l), ctx);
        }
    }
    Context summary;
    summary.row = rowCount > 0 ? &m_data.rows.at(rowCount - 1) : nullptr;
    summary.rowNo = rowCount;
    summary.groupRow = levels > 0 ? groupRows.at(levels - 1) : rowCount;
    for (const CompiledBand* band : std::as_const(m_summaries)) placeBody(*band, summary);
    m_pages.last().contentEnd = m_y;
    return finish();
}

/// Paints the page headers and footers now that every page's rows and the
/// page count are known, and fills in the {#pages} left open in the body.
LaidOutDocument Engine::finish() {
    const int pageCount = int(m_pages.size());
    for (const Deferred& d : std::as_const(m_deferred)) {
        Context ctx = d.context;
        ctx.pages = pageCount;
        m_pages[d.page].body[d.index].text = resolve(*d.item, ctx);
    }

    LaidOutDocument doc;
    doc.title = m_def.title;
    const PageSetup& setup = m_def.page;
    for (int p = 0; p < pageCount; ++p) {
        PageState& state = m_pages[p];
        // A page without rows of its own (a summary that overflowed) shows
        // the row read last, as the data stood when it was printed.
        int fallback = state.rowBefore;
        if (fallback < 0 && !m_data.rows.isEmpty())
            fallback = 0;
        const Context headerCtx = [&] {
            Context c = pageContext(state.firstRow >= 0 ? state.firstRow : fallback, p + 1);
            c.pages = pageCount;
            return c;
        }();
        const Context footerCtx = [&] {
            Context c = pageContext(state.lastRow >= 0 ? state.lastRow : fallback, p + 1);
            c.pages = pageCount;
            return c;
        }();

        LaidOutPage page;
        double y = setup.topMm;
        for (const CompiledBand* band : std::as_const(m_pageHeaders)) {
            if (!band->band->visible)
                continue;
            const Measured m = measure(*band, headerCtx);
            put(page.items, *band, m, y, headerCtx, -1);
            y += m.height;
        }
        page.items.append(state.body);

        QList<Measured> footers;
        double footerHeight = 0;
        for (const CompiledBand* band : std::as_const(m_pageFooters)) {
            if (!band->band->visible)
                continue;
            footers.append(measure(*band, footerCtx));
            footerHeight += footers.last().height;
        }
        const double pageHeight =
            setup.continuous ? state.contentEnd + footerHeight + setup.bottomMm : setup.heightMm;
        // Anchored so the last footer ends at the bottom margin.
        y = pageHeight - setup.bottomMm - footerHeight;
        qsizetype f = 0;
        for (const CompiledBand* band : std::as_const(m_pageFooters)) {
            if (!band->band->visible)
                continue;
            const Measured& m = footers.at(f++);
            put(page.items, *band, m, y, footerCtx, -1);
            y += m.height;
        }
        page.sizeMm = QSizeF(setup.widthMm, pageHeight);
        doc.pages.append(std::move(page));
    }
    return doc;
}

}  // namespace

LaidOutDocument layOut(const ReportDefinition& definition, const ReportData& data,
                       const QDateTime& printedAt) {
    return Engine(definition, data, printedAt).run();
}

/// Formats like the display formats of the data fields the reports were
/// designed with: '0' a digit always printed, '#' a digit printed when it
/// matters, '.' the decimal point, text before and after kept as is (',' is
/// accepted but the station never groups thousands). Rounding is done on
/// the decimal text of the value to 15 significant digits, half away from
/// zero, so 1.2345 (stored in binary as 1.23449999…) prints as 1.235, as a
/// person reading the time expects. A value that rounds to zero prints
/// without a minus sign: "-0,000" in a gap column reads as a fault.
QString formatNumber(double value, const QString& format, QChar decimalSeparator) {
    if (!std::isfinite(value))
        return QString::number(value);
    const QString f = format.section(QLatin1Char(';'), 0, 0);
    const auto isDigit = [](QChar c) { return c == QLatin1Char('#') || c == QLatin1Char('0'); };

    const qsizetype n = f.size();
    qsizetype start = -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (isDigit(f.at(i)) ||
            (f.at(i) == QLatin1Char('.') && i + 1 < n && isDigit(f.at(i + 1)))) {
            start = i;
            break;
        }
    }
    if (start < 0)
        return f.isEmpty() ? QString::number(value, 'g', 15) : f;

    qsizetype end = start;
    bool seenPoint = false;
    QString intMask, decMask;
    for (; end < n; ++end) {
        const QChar c = f.at(end);
        if (isDigit(c)) {
            (seenPoint ? decMask : intMask) += c;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
        } else if (c != QLatin1Char(',')) {
            break;
        }
    }
    const QString prefix = f.left(start);
    const QString suffix = f.mid(end);
    const qsizetype firstZero = intMask.indexOf(QLatin1Char('0'));
    const qsizetype minInt = firstZero < 0 ? 0 : intMask.size() - firstZero;
    const qsizetype maxDec = decMask.size();
    const qsizetype minDec = decMask.lastIndexOf(QLatin1Char('0')) + 1;

    // The value's 15 significant digits as d.dddddddddddddde±x.
    const QString sci = QString::number(std::abs(value), 'e', 14);
    const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
    QString mantissa = sci.left(ePos);
    mantissa.remove(QLatin1Char('.'));
    const int exponent = sci.mid(ePos + 1).toInt();

    QString intPart, fracPart;
    if (exponent >= 0) {
        if (exponent + 1 >= mantissa.size()) {
            intPart = mantissa + QString(exponent + 1 - mantissa.size(), QLatin1Char('0'));
        } else {
            intPart = mantissa.left(exponent + 1);
            fracPart = mantissa.mid(exponent + 1);
        }
    } else {
        intPart = QStringLiteral("0");
        fracPart = QString(-exponent - 1, QLatin1Char('0')) + mantissa;
    }

    if (fracPart.size() > maxDec) {
        const bool up = fracPart.at(maxDec) >= QLatin1Char('5');
        fracPart.truncate(maxDec);
        if (up) {
            QString digits = intPart + fracPart;
            qsizetype k = digits.size() - 1;
            for (; k >= 0; --k) {
                if (digits.at(k) == QLatin1Char('9')) {
                    digits[k] = QLatin1Char('0');
                } else {
                    digits[k] = QChar(digits.at(k).unicode() + 1);
                    break;
                }
            }
            if (k < 0)
                digits.prepend(QLatin1Char('1'));
            intPart = digits.left(digits.size() - fracPart.size());
            fracPart = digits.right(fracPart.size());
        }
    } else {
        fracPart += QString(maxDec - fracPart.size(), QLatin1Char('0'));
    }

    const bool nonZero = std::any_of(intPart.cbegin(), intPart.cend(),
                                     [](QChar c) { return c != QLatin1Char('0'); }) ||
                         std::any_of(fracPart.cbegin(), fracPart.cend(),
                                     [](QChar c) { return c != QLatin1Char('0'); });

    while (fracPart.size() > minDec && fracPart.endsWith(QLatin1Char('0'))) fracPart.chop(1);
    qsizetype lead = 0;
    while (lead < intPart.size() && intPart.at(lead) == QLatin1Char('0')) ++lead;
    intPart.remove(0, lead);
    if (intPart.size() < minInt)
        intPart.prepend(QString(minInt - intPart.size(), QLatin1Char('0')));
    // A format of only optional digits still prints something for zero.
    if (intPart.isEmpty() && fracPart.isEmpty())
        intPart = QStringLiteral("0");

    QString out;
    if (value < 0 && nonZero)
        out += QLatin1Char('-');
    out += prefix;
    out += intPart;
    if (!fracPart.isEmpty()) {
        out += decimalSeparator;
        out += fracPart;
    }
    out += suffix;
    return out;
}

double wrappedHeightMm(const QString& text, const Font& font, double widthMm) {
    return measureWrapped(QFontMetricsF(toQFont(font), measureDevice()), text, widthMm);
}

/// Text items grouped into printed lines: an item joins a line when its top
/// lies within the upper half of the line (the smaller of the two heights),
/// so a label and a bigger value beside it read as one line. Items of a line
/// are joined by one space, left to right.
QString LaidOutPage::text() const {
    QList<const PlacedItem*> texts;
    for (const PlacedItem& item : items)
        if (item.kind == ItemKind::Text && !item.text.trimmed().isEmpty())
            texts.append(&item);
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedItem* a, const PlacedItem* b) {
        const QRectF ra = a->rectMm.normalized(), rb = b->rectMm.normalized();
        if (ra.top() != rb.top())
            return ra.top() < rb.top();
        return ra.left() < rb.left();
    });

    QStringList lines;
    qsizetype i = 0;
    while (i < texts.size()) {
        const QRectF first = texts.at(i)->rectMm.normalized();
        QList<const PlacedItem*> line{texts.at(i)};
        qsizetype j = i + 1;
        for (; j < texts.size(); ++j) {
            const QRectF r = texts.at(j)->rectMm.normalized();
            if (r.top() >= first.top() + std::min(first.height(), r.height()) / 2)
                break;
            line.append(texts.at(j));
        }
        std::stable_sort(line.begin(), line.end(), [](const PlacedItem* a, const PlacedItem* b) {
            return a->rectMm.normalized().left() < b->rectMm.normalized().left();
        });
        QStringList parts;
        for (const PlacedItem* item : line) parts.append(item->text);
        lines.append(parts.join(QLatin1Char(' ')));
        i = j;
    }
    return lines.join(QLatin1Char('\n'));
}

QString LaidOutDocument::text() const {
    QStringList texts;
    for (const LaidOutPage& page : pages) texts.append(page.text());
    return texts.join(QLatin1Char('\f'));
}

}  // namespace platform::report

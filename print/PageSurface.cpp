#include "PageSurface.h"

#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace print {

namespace {

constexpr int kMinimumLineHeight = 20; // one point: lines never collapse, whatever the margins and density
constexpr int kSmallestText = 4 * kTwipsPerPoint; // tight lines shrink the text, never below four points

struct Paper
{
    double width, height; // as the label states them
    QPageSize::Unit unit;
};

constexpr std::array<Paper, kPaperSizeCount> kPapers = {{
    {8.5, 11, QPageSize::Inch},
    {8.5, 14, QPageSize::Inch},
    {7.5, 10.5, QPageSize::Inch},
    {11, 17, QPageSize::Inch},
    {17, 11, QPageSize::Inch},
    {5.5, 8.5, QPageSize::Inch},
    {8.5, 13, QPageSize::Inch},
    {297, 420, QPageSize::Millimeter},
    {210, 297, QPageSize::Millimeter},
    {148, 210, QPageSize::Millimeter},
    {250, 354, QPageSize::Millimeter},
    {182, 257, QPageSize::Millimeter},
    {215, 275, QPageSize::Millimeter},
}};

const char *const kPaperNames[kPaperSizeCount] = {
    "Letter", "Legal", "Executive", "Tabloid", "Ledger", "Statement", "Folio", "A3", "A4", "A5", "B4", "B5", "Quarto"};

const Paper &paper(int paperSize)
{
    return kPapers[size_t(paperSize >= 1 && paperSize <= kPaperSizeCount ? paperSize - 1 : 0)];
}

int twips(double length, QPageSize::Unit unit)
{
    return int(std::lround(unit == QPageSize::Inch ? length * kTwipsPerInch : length * kTwipsPerInch / 25.4));
}

// Scales a length between the margins from the sheet to the content, rounded to whole twips.
int unscaled(int length, int percent)
{
    return int(std::lround(double(length) * 100.0 / percent));
}

// The header and footer slots: the first three texts between the "|" separators.
std::array<QString, 3> slotTexts(const QString &text)
{
    std::array<QString, 3> parts;
    const QStringList pieces = text.split(QLatin1Char('|'));
    for (size_t i = 0; i < parts.size() && qsizetype(i) < pieces.size(); ++i)
        parts[i] = pieces[qsizetype(i)];
    return parts;
}

} // namespace

QSize paperSizeTwips(int paperSize)
{
    const Paper &p = paper(paperSize);
    return {twips(p.width, p.unit), twips(p.height, p.unit)};
}

QPageSize pageSizeFor(int paperSize)
{
    const Paper &p = paper(paperSize);
    const int index = paperSize >= 1 && paperSize <= kPaperSizeCount ? paperSize - 1 : 0;
    return QPageSize(QSizeF(p.width, p.height), p.unit, QString::fromLatin1(kPaperNames[index]), QPageSize::ExactMatch);
}

int paperSizeNumber(const QPageSize &size)
{
    const QSizeF points = size.size(QPageSize::Point);
    for (int number = 1; number <= kPaperSizeCount; ++number) {
        const QSizeF sheet = pageSizeFor(number).size(QPageSize::Point);
        if (std::abs(sheet.width() - points.width()) <= 3 && std::abs(sheet.height() - points.height()) <= 3)
            return number;
    }
    return 0;
}

PageSurface::PageSurface()
{
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setHintingPreference(QFont::PreferNoHinting);
    beginDocument();
}

PageSurface::~PageSurface() = default;

void PageSurface::beginDocument()
{
    // A page being painted cannot take its document away.
    if (m_painter)
        return;
    m_pages.clear();
    m_pages.emplace_back();
    m_complete = false;
}

void PageSurface::newPage()
{
    if (m_painter)
        return;
    Page page;
    page.header = m_pages.back().header;
    page.footer = m_pages.back().footer;
    m_pages.push_back(std::move(page));
}

void PageSurface::endDocument()
{
    m_complete = true;
}

void PageSurface::setFont(const QFont &font)
{
    // The fonts are in use while a page is painted.
    if (m_painter)
        return;
    m_font = font;
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_fonts.clear();
    m_fitted = {};
    m_fontSize = font.pointSizeF() > 0 ? font.pointSizeF() : m_fontSize;
}

void PageSurface::setFontSize(double points)
{
    m_fontSize = std::clamp(points, 1.0, 200.0);
}

void PageSurface::setMargins(int top, int bottom, int left, int right)
{
    m_marginTop = std::max(top, 0);
    m_marginBottom = std::max(bottom, 0);
    m_marginLeft = std::max(left, 0);
    m_marginRight = std::max(right, 0);
}

void PageSurface::setPaperSize(int paperSize)
{
    m_paperSize = paperSize >= 1 && paperSize <= kPaperSizeCount ? paperSize : 1;
}

void PageSurface::setLineDensity(int linesPerPage)
{
    m_density = std::clamp(linesPerPage, 1, 1000);
}

void PageSurface::setScaling(int horizontalPercent, int verticalPercent)
{
    m_scaleX = std::clamp(horizontalPercent, kSmallestScaling, kLargestScaling);
    m_scaleY = std::clamp(verticalPercent, kSmallestScaling, kLargestScaling);
}

QSize PageSurface::sheetTwips() const
{
    const QSize size = paperSizeTwips(m_paperSize);
    return m_orientation == Portrait ? size : size.transposed();
}

int PageSurface::pageWidth() const
{
    const int margins = m_marginLeft + m_marginRight;
    return margins + unscaled(sheetTwips().width() - margins, m_scaleX);
}

int PageSurface::pageHeight() const
{
    const int margins = m_marginTop + m_marginBottom;
    return margins + unscaled(sheetTwips().height() - margins, m_scaleY);
}

int PageSurface::contentHeightAt100() const
{
    return sheetTwips().height() - m_marginTop - m_marginBottom;
}

int PageSurface::densityLineHeight() const
{
    return std::max(kMinimumLineHeight, contentHeightAt100() / m_density);
}

int PageSurface::lineHeight() const
{
    return lineHeightFor(fittedPixelSize(), false);
}

QFont PageSurface::fontFor(int pixelSize, bool bold) const
{
    QFont font = m_font;
    font.setPixelSize(std::max(pixelSize, 1));
    font.setBold(bold);
    return font;
}

PageSurface::FontData::FontData(const QFont &resolved)
    : font(resolved)
    , metrics(resolved)
    , raw(QRawFont::fromFont(resolved))
{
    if (!raw.isValid())
        return;
    QList<quint32> indexes = raw.glyphIndexesForString(QString::fromLatin1(
        " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"));
    if (indexes.size() != 95)
        return;
    const QList<QPointF> steps = raw.advancesForGlyphIndexes(indexes, QRawFont::UseDesignMetrics);
    for (int c = 32; c < 127; ++c) {
        glyphs[size_t(c)] = indexes[c - 32];
        advances[size_t(c)] = steps.value(c - 32).x();
    }
}

bool PageSurface::FontData::covers(const QString &text) const
{
    for (const QChar c : text) {
        if (c.unicode() >= 128 || glyphs[c.unicode()] == 0)
            return false;
    }
    return true;
}

double PageSurface::FontData::advance(const QString &text) const
{
    if (!covers(text))
        return metrics.horizontalAdvance(text);
    double width = 0;
    for (const QChar c : text)
        width += advances[c.unicode()];
    return width;
}

const PageSurface::FontData &PageSurface::fontData(int pixelSize, bool bold) const
{
    const auto key = std::make_pair(pixelSize, bold);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end())
        found = m_fonts.emplace(key, FontData(fontFor(pixelSize, bold))).first;
    return found->second;
}

int PageSurface::lineHeightFor(int pixelSize, bool bold) const
{
    return std::max(densityLineHeight(), int(std::ceil(metrics(pixelSize, bold).lineSpacing())));
}

int PageSurface::fittedPixelSize() const
{
    // The document's font size shrinks, when the lines are too tight for it, until one of its lines fits; every
    // other size shrinks in the same proportion.
    const int line = densityLineHeight();
    const int base = std::max(1, int(std::lround(m_fontSize * kTwipsPerPoint)));
    if (m_fitted.base != base || m_fitted.line != line) {
        int fitted = base;
        const double spacing = metrics(base, false).lineSpacing();
        if (std::ceil(spacing) > line) {
            const int smallest = std::min(base, kSmallestText);
            fitted = std::max(smallest, int(base * line / spacing));
            while (fitted > smallest && std::ceil(metrics(fitted, false).lineSpacing()) > line)
                --fitted;
        }
        m_fitted = {base, line, fitted};
    }
    return m_fitted.size;
}

int PageSurface::textPixelSize(double points) const
{
    const int fitted = fittedPixelSize();
    if (points <= 0)
        return fitted;
    return std::max(1, int(std::lround(points * kTwipsPerPoint * fitted / m_fitted.base)));
}

QStringList PageSurface::wrapped(const QString &text, int pixelSize, bool bold, int width) const
{
    const FontData &font = fontData(pixelSize, bold);
    if (!text.contains(QLatin1Char('\n')) && (width <= 0 || font.advance(text) <= width))
        return {text};
    QString normalized = text;
    normalized.remove(QLatin1Char('\r'));
    QStringList lines;
    for (const QString &paragraph : normalized.split(QLatin1Char('\n'))) {
        if (width <= 0 || font.advance(paragraph) <= width) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, fontFor(pixelSize, bold));
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (piece.size() > 1 && piece.back().isSpace())
                piece.chop(1);
            lines << piece;
        }
        layout.endLayout();
    }
    return lines;
}

int PageSurface::measureText(const QString &text, int width, const TextStyle &style) const
{
    const int pixelSize = textPixelSize(style.size);
    const auto lines = wrapped(text, pixelSize, style.bold, width - 2 * style.padding);
    return int(std::max<qsizetype>(lines.size(), 1)) * lineHeightFor(pixelSize, style.bold);
}

int PageSurface::textWidth(const QString &text, const TextStyle &style) const
{
    return int(std::ceil(fontData(textPixelSize(style.size), style.bold).advance(text)));
}

PageSurface::TextStep PageSurface::textStep(const QString &text, const QRect &box, const TextStyle &style) const
{
    const int pixelSize = textPixelSize(style.size);
    return TextStep {.text = text,
                     .box = box,
                     .padding = style.padding,
                     .alignment = style.alignment,
                     .color = style.color,
                     .pixelSize = pixelSize,
                     .bold = style.bold,
                     .lineHeight = lineHeightFor(pixelSize, style.bold),
                     .singleLine = false,
                     .overflow = style.overflow};
}

int PageSurface::drawText(const QString &text, const QRect &box, const TextStyle &style)
{
    const TextStep step = textStep(text, box, style);
    const int height = box.height() > 0 ? box.height() : measureText(text, box.width(), style);
    if (m_painter)
        paintText(*m_painter, step);
    else
        addStep(step);
    return height;
}

void PageSurface::drawLine(QPoint from, QPoint to, const QColor &color)
{
    if (m_painter) {
        flushGlyphs(*m_painter);
        m_painter->setPen(QPen(color, m_lineWidth));
        m_painter->drawLine(from, to);
        return;
    }
    addStep(LineStep {from, to, color});
}

void PageSurface::fillRect(const QRect &rect, const QColor &color)
{
    if (m_painter) {
        flushGlyphs(*m_painter);
        m_painter->fillRect(rect, color);
        return;
    }
    addStep(RectStep {rect, color});
}

void PageSurface::addContent(PageContent content)
{
    if (m_painter) {
        content(*this);
        return;
    }
    addStep(std::move(content));
}

QPainter *PageSurface::painter()
{
    // What the caller draws goes over the texts drawn before it.
    if (m_painter)
        flushGlyphs(*m_painter);
    return m_painter;
}

void PageSurface::addStep(Step step)
{
    m_pages.back().steps.push_back(std::move(step));
}

void PageSurface::setHeaderFooterEdges(int header, int footer)
{
    m_headerEdge = std::max(header, 0);
    m_footerEdge = std::max(footer, 0);
}

void PageSurface::setHeader(const QString &text)
{
    if (!m_painter)
        m_pages.back().header = text;
}

void PageSurface::setFooter(const QString &text)
{
    if (!m_painter)
        m_pages.back().footer = text;
}

QString PageSurface::header(int page) const
{
    return page >= 1 && page <= pageCount() ? m_pages[size_t(page - 1)].header : QString();
}

QString PageSurface::footer(int page) const
{
    return page >= 1 && page <= pageCount() ? m_pages[size_t(page - 1)].footer : QString();
}

QPageLayout PageSurface::pageLayout() const
{
    return QPageLayout(pageSizeFor(m_paperSize),
                       m_orientation == Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0));
}

void PageSurface::paintText(QPainter &painter, const TextStep &step)
{
    const FontData &font = fontData(step.pixelSize, step.bold);
    const int available = step.box.width() - 2 * step.padding;
    // A box of a given height keeps the lines it has room for; marked, a text that needs more shows as "###".
    const int room = step.box.height() > 0 ? std::max(1, step.box.height() / step.lineHeight) : 0;
    // A one-line cell is not worth wrapping: its text fits or is marked as it stands.
    const bool oneLine =
        step.singleLine || (room == 1 && step.overflow == TextOverflow::Mark && !step.text.contains(QLatin1Char('\n')));
    QStringList lines = oneLine ? QStringList {step.text} : wrapped(step.text, step.pixelSize, step.bold, available);
    bool marked = false;
    if (room > 0 && lines.size() > room) {
        marked = step.overflow == TextOverflow::Mark;
        lines = marked ? QStringList {QString()} : lines.mid(0, room);
    }
    const int textHeight = int(lines.size()) * step.lineHeight;
    const int boxHeight = step.box.height() > 0 ? step.box.height() : textHeight;
    double top = step.box.top();
    if (step.alignment & Qt::AlignBottom)
        top += boxHeight - textHeight;
    else if (!(step.alignment & Qt::AlignTop))
        top += (boxHeight - textHeight) / 2.0;

    const double left = step.box.left() + step.padding;
    const double inset =
        (step.lineHeight - font.metrics.ascent() - font.metrics.descent()) / 2.0 + font.metrics.ascent();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        double advance = font.advance(line);
        if (marked || (step.overflow == TextOverflow::Mark && step.box.width() > 0 && advance > available)) {
            line = QStringLiteral("###");
            while (!line.isEmpty() && font.advance(line) > available)
                line.chop(1);
            advance = font.advance(line);
        }
        if (line.isEmpty())
            continue;
        double x = left;
        if (available > 0 && (step.alignment & Qt::AlignHCenter))
            x = left + (available - advance) / 2;
        else if (available > 0 && (step.alignment & Qt::AlignRight))
            x = left + available - advance;
        const double baseline = top + double(i) * step.lineHeight + inset;
        const bool overflows = step.box.width() > 0 && advance > available;
        if (!overflows && font.covers(line)) {
            if (m_run.font != &font || m_run.color != step.color)
                flushGlyphs(painter);
            m_run.font = &font;
            m_run.color = step.color;
            for (const QChar c : line) {
                m_run.glyphs.append(font.glyphs[c.unicode()]);
                m_run.positions.append(QPointF(x, baseline));
                x += font.advances[c.unicode()];
            }
            continue;
        }
        flushGlyphs(painter);
        painter.save();
        painter.setFont(font.font);
        painter.setPen(step.color);
        // A word wider than its box stays inside it.
        if (overflows)
            painter.setClipRect(QRect(step.box.left(), step.box.top(), step.box.width(), boxHeight), Qt::IntersectClip);
        painter.drawText(QPointF(x, baseline), line);
        painter.restore();
    }
}

void PageSurface::flushGlyphs(QPainter &painter)
{
    if (m_run.glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_run.font->raw);
    run.setGlyphIndexes(m_run.glyphs);
    run.setPositions(m_run.positions);
    painter.setPen(m_run.color);
    painter.drawGlyphRun(QPointF(0, 0), run);
    m_run.glyphs.clear();
    m_run.positions.clear();
}

void PageSurface::paintSlots(QPainter &painter, const QString &text, int top, int bottom)
{
    if (text.isEmpty())
        return;
    const auto parts = slotTexts(text);
    const int pixelSize = std::max(1, int(std::lround(m_fontSize * kTwipsPerPoint)));
    const int left = m_marginLeft;
    const int width = std::max(sheetTwips().width() - m_marginRight - left, 1);
    const Qt::Alignment alignments[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        const TextStep step {.text = parts[i],
                             .box = QRect(left, top, width, std::max(bottom - top, 1)),
                             .padding = 0,
                             .alignment = alignments[i] | Qt::AlignVCenter,
                             .color = Qt::black,
                             .pixelSize = pixelSize,
                             .bold = false,
                             .lineHeight = int(std::ceil(metrics(pixelSize, false).lineSpacing())),
                             .singleLine = true,
                             .overflow = TextOverflow::Clip};
        paintText(painter, step);
    }
}

void PageSurface::paintPage(QPainter &painter, int page)
{
    if (page < 1 || page > pageCount() || m_painter)
        return;
    const Page &content = m_pages[size_t(page - 1)];
    const QSize sheet = sheetTwips();
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), sheet));
    paintSlots(painter, content.header, m_headerEdge, m_headerEdge + m_marginTop);
    paintSlots(painter, content.footer, sheet.height() - m_footerEdge - m_marginBottom, sheet.height() - m_footerEdge);
    flushGlyphs(painter); // positioned on the sheet, before the content's scaling

    painter.translate(m_marginLeft, m_marginTop);
    painter.scale(m_scaleX / 100.0, m_scaleY / 100.0);
    painter.translate(-m_marginLeft, -m_marginTop);
    // Lines are half a point wide, and never thinner than one pixel of the device (a small zoom, a coarse printer).
    const QTransform &transform = painter.worldTransform();
    const double pixel = std::max(std::hypot(transform.m11(), transform.m12()), 1e-6);
    m_lineWidth = std::max(10.0, 1.0 / pixel);

    m_painter = &painter;
    for (const Step &step : content.steps) {
        if (const auto *text = std::get_if<TextStep>(&step)) {
            paintText(painter, *text);
        } else if (const auto *line = std::get_if<LineStep>(&step)) {
            drawLine(line->from, line->to, line->color);
        } else if (const auto *rect = std::get_if<RectStep>(&step)) {
            fillRect(rect->rect, rect->color);
        } else if (const auto *function = std::get_if<PageContent>(&step)) {
            (*function)(*this);
        }
    }
    flushGlyphs(painter);
    m_painter = nullptr;
    painter.restore();
}

bool PageSurface::print(QPagedPaintDevice &device, int first, int last, QString *error, const PagePrinted &pagePrinted)
{
    first = std::clamp(first, 1, pageCount());
    last = std::clamp(last, first, pageCount());
    if (auto *printer = dynamic_cast<QPrinter *>(&device))
        printer->setFullPage(true);
    if (!device.setPageLayout(pageLayout())) {
        device.setPageSize(pageSizeFor(m_paperSize));
        device.setPageOrientation(m_orientation == Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("The printer could not be started.");
        return false;
    }
    const double scaleX = device.logicalDpiX() / double(kTwipsPerInch);
    const double scaleY = device.logicalDpiY() / double(kTwipsPerInch);
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            if (error)
                *error = QStringLiteral("The printer did not take page %1.").arg(page);
            painter.end();
            return false;
        }
        painter.resetTransform();
        painter.scale(scaleX, scaleY);
        paintPage(painter, page);
        if (pagePrinted && !pagePrinted(page - first + 1, last - first + 1)) {
            painter.end();
            if (error)
                error->clear();
            return false;
        }
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("The printer could not finish the document.");
        return false;
    }
    return true;
}

} // namespace print

#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <variant>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace print {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPoint = 20;
inline constexpr int kPaperSizeCount = 13;
// The scaling the pages can be drawn at, in percent.
inline constexpr int kSmallestScaling = 10;
inline constexpr int kLargestScaling = 400;

// The sheet of a paper size of the page set-up's list (1-based), portrait as its label states it, in twips. A number
// outside the list gives Letter.
QSize paperSizeTwips(int paperSize);
// The same sheet as the printing system knows it, named as the list names it.
QPageSize pageSizeFor(int paperSize);
// The row of the list whose sheet the printing system's size is (to a millimetre either way), 0 when none is.
int paperSizeNumber(const QPageSize &size);

// What becomes of a word wider than its text box: cut at the box's edge, or shown as "###", as spreadsheets and the
// schedule grid show a number too wide for its column, so that no number shows as part of its digits.
enum class TextOverflow { Clip, Mark };

// How a text is drawn in its box: its size and weight, where it sits, its colour, the room kept inside the box.
struct TextStyle
{
    // Points; 0 is the document's font size. Every size shrinks with it when the lines are too tight, and lines of a
    // larger size are taller than the line height.
    double size = 0;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor color = Qt::black;
    // Space kept clear inside the left and right edges of the box.
    int padding = 0;
    TextOverflow overflow = TextOverflow::Clip;
};

// A multi-page document measured in twips (1440 an inch), drawn on paper or on the screen by one paint routine.
//
// Pages are described, not painted: what is drawn while a page is built is kept as a short list of drawing steps, and
// a page may also carry a content function that draws it only when it is shown or printed. A long table therefore
// keeps no more per page than the few numbers its content function needs.
// There is no drawing state: every text names its box and its style. Which page is shown, and at what zoom, is the
// preview's (PageView).
//
// Lengths between the margins are logical twips: scaling shrinks or enlarges everything drawn there, about the top
// left margin corner, and page width and height report the sheet as the content sees it. The margins themselves, the
// header and the footer stay at their true size on the sheet. Line density sets the height of a line: the height
// between the margins (at 100 %) divided by the lines per page, in whole twips. Text is drawn so that one line of the
// document's font size fits that height, shrunk when the lines are too tight for it, but never below four points.
class PageSurface
{
public:
    enum Orientation { Portrait = 0, Landscape = 1 };
    // Draws a page's content with the surface's drawing operations, in the page's logical twips.
    using PageContent = std::function<void(PageSurface &)>;

    PageSurface();
    ~PageSurface();
    PageSurface(const PageSurface &) = delete;
    PageSurface &operator=(const PageSurface &) = delete;

    // An empty document of one page; the settings below apply to it.
    void beginDocument();
    // Following drawing goes to a fresh page; its header and footer start as the previous page's.
    void newPage();
    // The document is complete and can be shown or printed.
    void endDocument();
    bool isComplete() const { return m_complete; }
    int pageCount() const { return int(m_pages.size()); }
    // The page being built, from 1.
    int currentPage() const { return int(m_pages.size()); }

    void setFont(const QFont &font);
    // The document's font size: text is measured and drawn at that size unless its style names another.
    void setFontSize(double points);
    double fontSize() const { return m_fontSize; }

    void setMargins(int top, int bottom, int left, int right);
    int marginTop() const { return m_marginTop; }
    int marginBottom() const { return m_marginBottom; }
    int marginLeft() const { return m_marginLeft; }
    int marginRight() const { return m_marginRight; }
    // One-based row of the paper table; a number outside it gives Letter.
    void setPaperSize(int paperSize);
    int paperSize() const { return m_paperSize; }
    void setOrientation(Orientation orientation) { m_orientation = orientation; }
    Orientation orientation() const { return m_orientation; }
    // Lines per page; values below 1 count as 1.
    void setLineDensity(int linesPerPage);
    int lineDensity() const { return m_density; }
    // Percent in each direction, kept within 10..400.
    void setScaling(int horizontalPercent, int verticalPercent);
    int horizontalScaling() const { return m_scaleX; }
    int verticalScaling() const { return m_scaleY; }
    // The sheet as the content sees it: paper size, orientation and scaling applied.
    int pageWidth() const;
    int pageHeight() const;
    // The sheet as printed.
    QSize sheetTwips() const;

    // The height of one line of the document's font size: the line density's, unless even the smallest text the
    // surface draws (four points) needs more.
    int lineHeight() const;
    // The height the text takes when wrapped in a box of that width (the style's padding inside it); a width of 0
    // does not wrap.
    int measureText(const QString &text, int width, const TextStyle &style = {}) const;
    // The width of the text on one line.
    int textWidth(const QString &text, const TextStyle &style = {}) const;
    // Draws the text in the box, wrapped in its width; a box of height 0 is as tall as the text measures. Returns the
    // height taken: the box's, or the measured one.
    int drawText(const QString &text, const QRect &box, const TextStyle &style = {});
    void drawLine(QPoint from, QPoint to, const QColor &color);
    void fillRect(const QRect &rect, const QColor &color);
    // Content drawn when the page is shown or printed, after what was drawn on it so far.
    void addContent(PageContent content);
    // While a content function runs: the page's painter, in the page's logical twips, for drawing that the
    // operations above do not cover (a chart). Null at any other time.
    QPainter *painter();

    // Distance of the header from the sheet's top edge and of the footer from its bottom edge.
    void setHeaderFooterEdges(int header, int footer);
    // Left, centre and right texts separated by "|", for the current page and the pages after it.
    void setHeader(const QString &text);
    void setFooter(const QString &text);
    QString header(int page) const;
    QString footer(int page) const;

    // The sheet for the printing system: paper, orientation, no margins (the pages draw their own).
    QPageLayout pageLayout() const;
    // Paints a page on a painter whose unit is one twip of the sheet, with its origin at the sheet's top left corner.
    void paintPage(QPainter &painter, int page);
    // After each page sent: how many are sent so far out of how many; returning false stops the printing there.
    using PagePrinted = std::function<bool(int done, int total)>;
    // Sends pages first..last (kept within the document) to the device. False with the reason when the device
    // refuses to start or to take a page, or when `pagePrinted` stopped it (the reason left empty).
    bool print(QPagedPaintDevice &device, int first, int last, QString *error = nullptr,
               const PagePrinted &pagePrinted = {});

private:
    struct TextStep
    {
        QString text;
        QRect box; // height 0: as measured
        int padding = 0;
        Qt::Alignment alignment;
        QColor color;
        int pixelSize = 0; // twips
        bool bold = false;
        int lineHeight = 0;
        bool singleLine = false;
        TextOverflow overflow = TextOverflow::Clip;
    };
    struct LineStep
    {
        QPoint from, to;
        QColor color;
    };
    struct RectStep
    {
        QRect rect;
        QColor color;
    };
    using Step = std::variant<TextStep, LineStep, RectStep, PageContent>;
    // A font at one size, with the glyphs and advances of its printable ASCII characters, which most texts are
    // made of: those are laid out and drawn without shaping.
    struct FontData
    {
        explicit FontData(const QFont &font);
        QFont font;
        QFontMetricsF metrics;
        QRawFont raw;
        std::array<quint32, 128> glyphs {};
        std::array<double, 128> advances {};
        // True when every character of the text has its own glyph here.
        bool covers(const QString &text) const;
        double advance(const QString &text) const;
    };
    // Glyphs waiting to be drawn in one go: a row of cells becomes one text object, not one per cell.
    struct GlyphRun
    {
        const FontData *font = nullptr;
        QColor color;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    struct Page
    {
        QString header, footer;
        std::vector<Step> steps;
    };

    void addStep(Step step);
    int contentHeightAt100() const;
    int densityLineHeight() const;
    // The document's font size in twips after the density's shrinking, and the size of a text of that many points.
    int fittedPixelSize() const;
    int textPixelSize(double points) const;
    int lineHeightFor(int pixelSize, bool bold) const;
    QFont fontFor(int pixelSize, bool bold) const;
    const FontData &fontData(int pixelSize, bool bold) const;
    const QFontMetricsF &metrics(int pixelSize, bool bold) const { return fontData(pixelSize, bold).metrics; }
    void flushGlyphs(QPainter &painter);
    QStringList wrapped(const QString &text, int pixelSize, bool bold, int width) const;
    TextStep textStep(const QString &text, const QRect &box, const TextStyle &style) const;
    void paintText(QPainter &painter, const TextStep &step);
    void paintSlots(QPainter &painter, const QString &text, int top, int bottom);

    std::vector<Page> m_pages;
    bool m_complete = false;
    QFont m_font;
    double m_fontSize = 10;
    int m_marginTop = 0, m_marginBottom = 0, m_marginLeft = 0, m_marginRight = 0;
    int m_paperSize = 1;
    Orientation m_orientation = Portrait;
    int m_density = 80;
    int m_scaleX = 100, m_scaleY = 100;
    int m_headerEdge = 0, m_footerEdge = 0;
    QPainter *m_painter = nullptr; // set while a page is painted: drawing goes straight to it
    double m_lineWidth = 10;
    mutable std::map<std::pair<int, bool>, FontData> m_fonts;
    GlyphRun m_run;
    struct FittedSize
    {
        int base = 0, line = 0, size = 0;
    };
    mutable FittedSize m_fitted; // the document's font size in twips after shrinking, for a base size and line
};

} // namespace print

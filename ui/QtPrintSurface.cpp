#include "QtPrintSurface.h"

#include "Win1252.h"

#include "ArmyDocument.h"
#include "FileIo.h"
#include "PrintRoster.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <filesystem>
#include <string>

namespace ovra {
namespace {

int ToQtFlags(unsigned flags) {
    int qt = 0;
    qt |= (flags & kTextCentre) ? Qt::AlignHCenter : (flags & kTextRight) ? Qt::AlignRight : Qt::AlignLeft;
    qt |= (flags & kTextVCentre) ? Qt::AlignVCenter : Qt::AlignTop;
    if (flags & kTextSingleLine)
        qt |= Qt::TextSingleLine;
    if (flags & kTextWordBreak)
        qt |= Qt::TextWordWrap;
    return qt;
}

QRect ToQRect(const Rect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QFont PrinterFont(QPaintDevice& device, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferOutline);
    return QFont(font, &device);
}

// Paints the roster's pages in the range on a device whose painter is not
// started yet; false with a reason when the device cannot be started or
// finished, or when a unit is too tall for a page (the pages before it are
// painted).
bool PaintRoster(const ArmyDocument& document, QPagedPaintDevice& device, bool grayscale,
                 std::optional<InfoChoice> info, PageRange range, QString& error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QCoreApplication::translate("Printing", "The printer could not be started.");
        return false;
    }
    QtPrintSurface surface(painter, device, grayscale);
    const Roster roster = ComposeRoster(document, EffectiveInfoChoice(info));
    const PrintOutcome outcome = PrintRoster(roster, surface, surface.PrintableArea(), range);
    if (!painter.end()) {
        error = QCoreApplication::translate("Printing", "The roster could not be printed completely.");
        return false;
    }
    if (outcome.rowTooTall) {
        error = QCoreApplication::translate(
                    "Printing", "The roster could not be printed whole: \"%1\" with its mount and "
                                "runners is taller than a page, so printing stopped on page %2.")
                    .arg(FromWin1252(roster.rows[*outcome.rowTooTall].name()))
                    .arg(outcome.pages);
        return false;
    }
    return true;
}

// The pages the printer's dialog asked for: all, or a range.
PageRange RangeOf(const QPrinter& printer) {
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1)
        return {};
    return {printer.fromPage(), std::max(printer.fromPage(), printer.toPage())};
}

} // namespace

QtPrintSurface::QtPrintSurface(QPainter& painter, QPagedPaintDevice& device, bool grayscale)
    : painter_(painter), device_(device), grayscale_(grayscale), text_(PrinterFont(device, false)),
      bold_(PrinterFont(device, true)) {
    painter_.setFont(text_);
    painter_.setPen(QPen(textColour_, 0));
    // Text is drawn on white, as on paper, until a paragraph asks otherwise.
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(Qt::white);
}

PrintFont QtPrintSurface::SelectFont(PrintFont font) {
    const PrintFont previous = font_;
    font_ = font;
    painter_.setFont(CurrentFont());
    return previous;
}

Colour QtPrintSurface::SetTextColour(Colour colour) {
    const Colour previous{static_cast<std::uint8_t>(textColour_.red()),
                          static_cast<std::uint8_t>(textColour_.green()),
                          static_cast<std::uint8_t>(textColour_.blue())};
    textColour_ = QColor(colour.red, colour.green, colour.blue);
    if (grayscale_) {
        const int grey = qGray(textColour_.rgb());
        textColour_ = QColor(grey, grey, grey);
    }
    return previous;
}

void QtPrintSurface::SetTransparentBackground() {
    painter_.setBackgroundMode(Qt::TransparentMode);
}

Rect QtPrintSurface::MeasureText(std::string_view text, const Rect& rect, unsigned flags) {
    const QString string = FromWin1252(text);
    const QFontMetrics metrics(CurrentFont(), &device_);
    if (flags & kTextWordBreak) {
        const QRect bounds = metrics.boundingRect(QRect(rect.left, rect.top, rect.Width(), 1 << 24),
                                                  Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, string);
        return Rect{rect.left, rect.top, rect.left + std::max(bounds.width(), 0), rect.top + bounds.height()};
    }
    const int width = metrics.horizontalAdvance(string);
    return Rect{rect.left, rect.top, rect.left + width, rect.top + metrics.height()};
}

void QtPrintSurface::DrawText(std::string_view text, const Rect& rect, unsigned flags) {
    painter_.setPen(QPen(textColour_, 0));
    painter_.drawText(ToQRect(rect), ToQtFlags(flags), FromWin1252(text));
}

void QtPrintSurface::DrawTextAtCurrentPoint(std::string_view text) {
    const QString string = FromWin1252(text);
    const QFontMetrics metrics(CurrentFont(), &device_);
    painter_.setPen(QPen(textColour_, 0));
    painter_.drawText(QPoint(current_.x(), current_.y() + metrics.ascent()), string);
    current_.rx() += metrics.horizontalAdvance(string);
}

void QtPrintSurface::MoveTo(int x, int y) {
    current_ = QPoint(x, y);
}

void QtPrintSurface::LineTo(int x, int y) {
    painter_.setPen(QPen(Qt::black, 0));
    painter_.drawLine(current_, QPoint(x, y));
    current_ = QPoint(x, y);
}

void QtPrintSurface::DrawRectangle(const Rect& rect) {
    const QRect r = ToQRect(rect);
    painter_.fillRect(r, Qt::white);
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(r.adjusted(0, 0, -1, -1));
}

void QtPrintSurface::NewSheet() {
    device_.newPage();
}

Rect QtPrintSurface::PrintableArea() const {
    // A paged device's logical resolution is its printing resolution.
    const QRect page = device_.pageLayout().paintRectPixels(device_.logicalDpiX());
    return Rect{0, 0, page.width(), page.height()};
}

bool PrintDocument(const ArmyDocument& document, QPrinter& printer, std::optional<InfoChoice> info,
                   QString& error) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return WritePdf(document, printer, printer.outputFileName(), info, error);
    return PaintRoster(document, printer, printer.colorMode() == QPrinter::GrayScale, info, RangeOf(printer),
                       error);
}

namespace {

// A write-only device that hands what is written to a file writer, so that a
// PDF goes to the writer's temporary file as it is produced.
class SinkDevice : public QIODevice {
public:
    explicit SinkDevice(ByteSink& sink) : sink_(sink) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        return sink_.Append(std::string_view(data, static_cast<std::size_t>(size))) ? size : -1;
    }

private:
    ByteSink& sink_;
};

} // namespace

bool WritePdf(const ArmyDocument& document, const QPrinter& printer, const QString& path,
              std::optional<InfoChoice> info, QString& error) {
    AtomicFileWriter file;
    QString reason;
    bool painted = false;
    if (file.Open(QFile::encodeName(path).toStdString())) {
        SinkDevice device(file);
        QPdfWriter writer(&device);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setPdfVersion(printer.pdfVersion());
        writer.setCreator(printer.creator());
        writer.setTitle(printer.docName());
        painted = PaintRoster(document, writer, printer.colorMode() == QPrinter::GrayScale, info,
                              RangeOf(printer), reason);
    }
    // The writer has finished the file when it is destroyed, above.
    if (painted && file.Commit())
        return true;
    if (reason.isEmpty() || file.failure().kind != WriteFailure::Kind::None)
        reason = QString::fromStdString(file.failure().reason);
    error =
        QCoreApplication::translate("Printing", "The file \"%1\" could not be written: %2").arg(path, reason);
    return false;
}

bool ExportPdf(const ArmyDocument& document, const QString& path, std::optional<InfoChoice> info,
               QString& error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCreator(QStringLiteral("Ovra"));
    printer.setDocName(QString::fromStdString(document.ArmyTitle()));
    return WritePdf(document, printer, path, info, error);
}

} // namespace ovra

#include "QtPrintSurface.h"

#include "Win1252.h"

#include "ArmyDocument.h"
#include "PrintReportWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <filesystem>

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

QFont PrinterFont(QPrinter& printer, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferOutline);
    return QFont(font, &printer);
}

} // namespace

QtPrintSurface::QtPrintSurface(QPainter& painter, QPrinter& printer)
    : painter_(painter), printer_(printer), text_(PrinterFont(printer, false)),
      bold_(PrinterFont(printer, true)) {
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
    return previous;
}

void QtPrintSurface::SetTransparentBackground() {
    painter_.setBackgroundMode(Qt::TransparentMode);
}

Rect QtPrintSurface::MeasureText(std::string_view text, const Rect& rect, unsigned flags) {
    const QString string = FromWin1252(text);
    const QFontMetrics metrics(CurrentFont(), &printer_);
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
    const QFontMetrics metrics(CurrentFont(), &printer_);
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
    printer_.newPage();
}

Rect QtPrintSurface::PrintableArea() const {
    const QRect page = printer_.pageLayout().paintRectPixels(printer_.resolution());
    return Rect{0, 0, page.width(), page.height()};
}

bool PrintDocument(const ArmyDocument& document, QPrinter& printer, std::optional<InfoChoice> info,
                   QString& error) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QStringLiteral("The printer could not be started.");
        return false;
    }
    QtPrintSurface surface(painter, printer);
    PrintRoster(document, surface, surface.PrintableArea(), info);
    if (!painter.end()) {
        error = QStringLiteral("The roster could not be printed completely.");
        return false;
    }
    return true;
}

bool ExportPdf(const ArmyDocument& document, const QString& path, std::optional<InfoChoice> info,
               QString& error) {
    const QString temporary = path + QStringLiteral(".~pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(temporary);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setCreator(QStringLiteral("Ovra"));
        printer.setDocName(QString::fromStdString(document.ArmyTitle()));
        if (!PrintDocument(document, printer, info, error)) {
            QFile::remove(temporary);
            error = QStringLiteral("Cannot write \"%1\".").arg(path);
            return false;
        }
    }
    if (!QFileInfo(temporary).isFile() || QFileInfo(temporary).size() == 0) {
        QFile::remove(temporary);
        error = QStringLiteral("Cannot write \"%1\".").arg(path);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary.toStdString(), path.toStdString(), ec);
    if (ec) {
        QFile::remove(temporary);
        error = QStringLiteral("Cannot write \"%1\".").arg(path);
        return false;
    }
    return true;
}

} // namespace ovra

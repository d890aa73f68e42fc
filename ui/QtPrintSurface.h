// The printed roster on Qt: a drawing surface over a painter on a printer or
// a PDF writer, the print job, and the PDF export that shares it.
#pragma once

#include "PrintSurface.h"
#include "Roster.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include <optional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace ovra {

class ArmyDocument;

// Draws on a painter that is active on a paged device (a printer or a PDF
// writer); fonts are 8-point "Arial", normal and bold, at the device's
// resolution; text bytes are Windows-1252. With `grayscale`, text colours are
// drawn as their grey.
class QtPrintSurface : public PrintSurface {
public:
    QtPrintSurface(QPainter& painter, QPagedPaintDevice& device, bool grayscale = false);

    PrintFont SelectFont(PrintFont font) override;
    Colour SetTextColour(Colour colour) override;
    void SetTransparentBackground() override;
    Rect MeasureText(std::string_view text, const Rect& rect, unsigned flags) override;
    void DrawText(std::string_view text, const Rect& rect, unsigned flags) override;
    void DrawTextAtCurrentPoint(std::string_view text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DrawRectangle(const Rect& rect) override;
    void NewSheet() override;

    // The printable area in device pixels, with the painter's origin at its corner.
    Rect PrintableArea() const;

private:
    const QFont& CurrentFont() const { return font_ == PrintFont::Bold ? bold_ : text_; }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    bool grayscale_;
    QFont text_;
    QFont bold_;
    PrintFont font_ = PrintFont::Text;
    QColor textColour_ = Qt::black;
    QPoint current_;
};

// Prints the document's roster on the printer. A printer set to write a PDF
// file writes it as WritePdf does. False, with a reason, when the printer
// cannot be started or the file cannot be written.
bool PrintDocument(const ArmyDocument& document, QPrinter& printer, std::optional<InfoChoice> info,
                   QString& error);

// Lays the roster out on the printer's pages (page layout, resolution, colour
// mode, document name) as a PDF written straight into the temporary file of
// the program's one write path (AtomicFileWriter), which then replaces
// `path`. On failure returns false with the reason in `error`; the previous
// file is left as it was.
bool WritePdf(const ArmyDocument& document, const QPrinter& printer, const QString& path,
              std::optional<InfoChoice> info, QString& error);

// Writes the printed roster as an A4 portrait PDF at the high printer
// resolution through WritePdf.
bool ExportPdf(const ArmyDocument& document, const QString& path, std::optional<InfoChoice> info,
               QString& error);

} // namespace ovra

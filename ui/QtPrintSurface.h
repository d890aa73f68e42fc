// The printed roster on Qt: a drawing surface over a painter on a printer,
// the print job, and the PDF export that shares it.
#pragma once

#include "PrintSurface.h"
#include "ReportWriter.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include <optional>

class QPainter;
class QPrinter;

namespace ovra {

class ArmyDocument;

// Draws on a painter that is active on a printer; fonts are 8-point "Arial",
// normal and bold, at the printer's resolution; text bytes are Windows-1252.
class QtPrintSurface : public PrintSurface {
public:
    QtPrintSurface(QPainter& painter, QPrinter& printer);

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
    QPrinter& printer_;
    QFont text_;
    QFont bold_;
    PrintFont font_ = PrintFont::Text;
    QColor textColour_ = Qt::black;
    QPoint current_;
};

// Prints the document's roster on the printer. False, with a reason, when the
// printer cannot be started.
bool PrintDocument(const ArmyDocument& document, QPrinter& printer, std::optional<InfoChoice> info,
                   QString& error);

// Writes the printed roster as an A4 portrait PDF at the printer resolution,
// by way of a temporary file that replaces `path` only when complete.
bool ExportPdf(const ArmyDocument& document, const QString& path, std::optional<InfoChoice> info,
               QString& error);

} // namespace ovra

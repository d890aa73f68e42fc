// The roster as an HTML page: each writer operation appends a fixed run of
// bytes. Texts from the army and the army lists are written as they are,
// without escaping, and the page has no closing BODY or HTML tag.
#pragma once

#include "ReportWriter.h"

#include <filesystem>
#include <string>

namespace ovra {

class HtmlReportWriter : public ReportWriter {
public:
    // Appends to `out`; the document and the string must outlive the writer.
    HtmlReportWriter(const ArmyDocument& document, std::string& out);

    std::int32_t WriteBelowMinimum(PrintSurface* surface, const std::string& troopTypeName,
                                   bool draw) override;
    std::int32_t WriteParagraph(bool highlight, const std::string& title, const std::string& body,
                                bool draw) override;
    std::int32_t WriteHeader(std::int32_t page, bool draw) override;
    std::int32_t WriteCategoryHeader(Code troopKind, bool draw) override;
    std::int32_t WriteRow(bool overMaximum, std::int32_t indent, const std::string& name,
                          const RowCells& cells, Rect* cellRect, bool draw) override;
    std::int32_t EndTable(bool draw) override;
    std::int32_t WriteTotals(bool draw) override;

private:
    std::string* out_;
};

// The whole page for the document's army: header, roster, the complete
// information section, footer.
std::string HtmlRoster(const ArmyDocument& document);

// Writes HtmlRoster to the file, replacing it. On failure returns false with
// a message in `error`; the previous file, if any, is left as it was and no
// partial file remains.
bool ExportHtml(const ArmyDocument& document, const std::filesystem::path& path, std::string& error);

} // namespace ovra

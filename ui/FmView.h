// The army view: the client area of the main window. It draws nothing
// itself; it lays out the nation bar, the unit list and the unit panel, and
// refreshes all three after every change of the army.
#pragma once

#include "Metrics.h"

#include <QWidget>

class QPrinter;

namespace ovra {

class CFmApp;
class CFmDoc;
class CNationBar;
class CUnitListPane;
class CUnitPanel;
class UiServices;

class CFmView : public QWidget {
    Q_OBJECT
public:
    CFmView(CFmApp& app, CFmDoc& document, QWidget* parent = nullptr);
    ~CFmView() override;

    // Refreshes the nation bar, rebuilds the unit list and shows its selection.
    void Refresh();

    // Army menu.
    void OnNewUnit();
    void OnDeleteUnit();
    void OnMinMaxUnits();
    // File menu commands the view handles.
    void OnFilePrint();
    void OnExportHtml();
    // Prints on `printer` with the run's info choice, without a dialog.
    bool PrintDirect(QPrinter& printer);

    CFmApp& app() const { return app_; }
    CFmDoc& document() const { return document_; }
    const UiMetrics& metrics() const;
    UiServices& services() const;
    CNationBar* nationBar() const { return nationBar_; }
    CUnitListPane* unitList() const { return unitList_; }
    CUnitPanel* unitPanel() const { return unitPanel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutPanes();

    CFmApp& app_;
    CFmDoc& document_;
    CNationBar* nationBar_ = nullptr;
    CUnitListPane* unitList_ = nullptr;
    CUnitPanel* unitPanel_ = nullptr;
};

// The light grey of the view, its panes and the option picker.
QColor PaneBackground();

} // namespace ovra

// The army view: the client area of the main window. It draws nothing
// itself; it lays out the nation bar, the unit list and the unit panel, and
// refreshes all three after every change of the army.
#pragma once

#include "UiMetrics.h"

#include <QWidget>

class QPrinter;

namespace ovra {

class Application;
class ArmyDocument;
class NationBar;
class UnitListPane;
class UnitPanel;
class UiServices;

class ArmyView : public QWidget {
    Q_OBJECT
public:
    ArmyView(Application& app, ArmyDocument& document, QWidget* parent = nullptr);
    ~ArmyView() override;

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

    Application& app() const { return app_; }
    ArmyDocument& document() const { return document_; }
    const UiMetrics& metrics() const;
    UiServices& services() const;
    NationBar* nationBar() const { return nationBar_; }
    UnitListPane* unitList() const { return unitList_; }
    UnitPanel* unitPanel() const { return unitPanel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutPanes();

    Application& app_;
    ArmyDocument& document_;
    NationBar* nationBar_ = nullptr;
    UnitListPane* unitList_ = nullptr;
    UnitPanel* unitPanel_ = nullptr;
};

// The light grey of the view, its panes and the option picker.
QColor PaneBackground();

} // namespace ovra

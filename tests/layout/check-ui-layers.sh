#!/usr/bin/env bash
# Checks that every include inside ui/ points down the window's layers: the
# helpers at the bottom, the army's editor above them, then the panes, the
# view, the window and the application. A file may include its own layer.
set -euo pipefail
ui="$1"

declare -A layer=(
  # helpers: measurements, texts, painting, settings, printing
  [UiMetrics]=0 [FileNames]=0 [Win1252]=0 [ItemData]=0 [Icons]=0 [UnitListPainting]=0 [UnitDetailPainting]=0 [SettledWatch]=0
  [BreachText]=0 [QtSettingsStore]=0 [QtPrintSurface]=0 [ArmyUndoShortcuts]=0
  # small dialogs and widgets that know no army
  [CountPopup]=1 [NoticeBar]=1 [AboutDialog]=1 [NationInfoDialog]=1 [ArmyListsDialog]=1 [ProblemCountLabel]=1
  # the run's services
  [UiServices]=2 [AppContext]=2 [ListWatch]=2
  # one army: document, history, the rules' verdict
  [ArmyEditor]=3 [ArmyCommand]=3
  # dialogs about the army
  [OptionPickerDialog]=4 [BreachListDialog]=4 [CompareDialog]=4
  # panes and their parts
  [UnitTree]=5 [UnitListModel]=5
  [UnitListPane]=6 [UnitDetailPane]=6 [NationBar]=6
  [UnitPanel]=7
  [ArmyView]=8
  [ArmyPage]=9 [RosterActions]=9
  [MainWindow]=10
  [Application]=11 [GuardedApplication]=11
)

status=0
for file in "$ui"/*.h "$ui"/*.cpp; do
  name=$(basename "${file%.*}")
  if [[ -z "${layer[$name]+set}" ]]; then
    echo "$file: not in the layer table of $0" >&2
    status=1
    continue
  fi
  while read -r included; do
    base="${included%.h}"
    [[ -f "$ui/$included" ]] || continue
    if [[ -z "${layer[$base]+set}" ]]; then
      echo "$file: includes $included, which is not in the layer table" >&2
      status=1
    elif (( layer[$base] > layer[$name] )); then
      echo "$file (layer ${layer[$name]}) includes $included (layer ${layer[$base]}), above it" >&2
      status=1
    fi
  done < <(grep -o '^#include "[^"]*"' "$file" | sed 's/#include "\(.*\)"/\1/')
done
exit $status

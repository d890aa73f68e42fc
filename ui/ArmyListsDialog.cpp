#include "ArmyListsDialog.h"

#include "UiMetrics.h"
#include "Win1252.h"

#include "ArmyCatalogue.h"
#include "ArmyListReader.h"
#include "ListDiff.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ovra {
namespace {

constexpr int kSourceRole = Qt::UserRole;

QString PathText(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

QString SourceName(const ArmyListSource& source) {
    switch (source.kind) {
    case ArmyListSource::Kind::BuiltIn:
        return QCoreApplication::translate("ovra::ArmyListsDialog", "Built-in army lists");
    case ArmyListSource::Kind::File:
        return QString::fromStdString(source.file.filename().string());
    case ArmyListSource::Kind::Memory:
        break;
    }
    return QCoreApplication::translate("ovra::ArmyListsDialog", "Army-list text");
}

// The folder a file was found in, and which of the program's folders it is.
QString FolderText(const ArmyListSource& source) {
    if (source.kind != ArmyListSource::Kind::File)
        return {};
    const QString folder = QDir::cleanPath(QString::fromStdString(source.folder().string()));
    QString text = QDir::toNativeSeparators(folder);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Eldvarrow/Ovra/armylists");
    if (folder == QDir::cleanPath(QCoreApplication::applicationDirPath()))
        text += QCoreApplication::translate("ovra::ArmyListsDialog", " (program folder)");
    else if (folder == QDir::cleanPath(user))
        text += QCoreApplication::translate("ovra::ArmyListsDialog", " (your folder)");
    return text;
}

QString CountText(const LintedText& linted) {
    const std::size_t errors = linted.Count(LintFinding::Severity::Error);
    const std::size_t warnings = linted.Count(LintFinding::Severity::Warning);
    if (!linted.read)
        return QCoreApplication::translate("ovra::ArmyListsDialog", "cannot be read now");
    if (errors == 0 && warnings == 0)
        return QCoreApplication::translate("ovra::ArmyListsDialog", "clean");
    const QString errorText =
        errors == 1 ? QCoreApplication::translate("ovra::ArmyListsDialog", "1 error")
                    : QCoreApplication::translate("ovra::ArmyListsDialog", "%1 errors").arg(errors);
    const QString warningText =
        warnings == 1 ? QCoreApplication::translate("ovra::ArmyListsDialog", "1 warning")
                      : QCoreApplication::translate("ovra::ArmyListsDialog", "%1 warnings").arg(warnings);
    return QCoreApplication::translate("ovra::ArmyListsDialog", "%1, %2").arg(errorText, warningText);
}

} // namespace

ArmyListsDialog::ArmyListsDialog(const ArmyCatalogue& catalogue, const UiMetrics& metrics,
                                 const std::map<std::filesystem::path, std::string>& earlier, QWidget* parent)
    : QDialog(parent), sources_(catalogue.sources()), earlier_(earlier) {
    setObjectName(QStringLiteral("armyListsDialog"));
    setWindowTitle(tr("Army lists"));
    setFont(metrics.font);
    resize(metrics.DialogUnits(440, 280));

    // Linted again in the order they were loaded, so that each file is
    // checked against what came before it, as at start-up.
    const std::vector<ArmyListSource>& sources = catalogue.sources();
    ArmyListLinter linter;
    for (const ArmyListSource& source : sources) {
        if (source.kind == ArmyListSource::Kind::BuiltIn)
            linter.AddBuiltIn();
        else if (source.kind == ArmyListSource::Kind::File)
            linter.AddFile(source.file, source.file.filename().string());
        else
            linter.AddText("text", {});
    }
    lint_ = linter.Finish();

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("armyListTree"));
    tree_->setHeaderLabels({tr("Army list"), tr("Lint"), tr("Folder")});
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const ArmyListSource& source = sources[i];
        QString lint = CountText(lint_[i]);
        if (source.kind == ArmyListSource::Kind::File && earlier_.count(source.file) != 0)
            lint = tr("%1; changed since the last start").arg(lint);
        auto* item = new QTreeWidgetItem(tree_, {SourceName(source), lint, FolderText(source)});
        item->setData(0, kSourceRole, static_cast<int>(i));
        if (source.kind == ArmyListSource::Kind::File)
            item->setToolTip(0, PathText(source.file));
        for (const ArmyListSource::Nation& nation : source.nations) {
            QString text = QStringLiteral("%1 (%2)").arg(FromWin1252(nation.name)).arg(nation.id);
            if (nation.replaced)
                text = tr("replaces %1 from %2 with %3")
                           .arg(FromWin1252(nation.replacedName),
                                nation.replacedSource == i ? tr("this file")
                                                           : SourceName(sources[nation.replacedSource]),
                                text);
            else
                text = tr("adds %1").arg(text);
            auto* child = new QTreeWidgetItem(item, {text});
            child->setData(0, kSourceRole, static_cast<int>(i));
            child->setFirstColumnSpanned(true);
        }
    }
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->header()->setStretchLastSection(false);
    tree_->resizeColumnToContents(1);
    tree_->resizeColumnToContents(2);

    lintView_ = new QPlainTextEdit(this);
    lintView_->setObjectName(QStringLiteral("lintView"));
    lintView_->setReadOnly(true);
    lintView_->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    compare_ = buttons->addButton(tr("&Changes since the last start"), QDialogButtonBox::ActionRole);
    compare_->setObjectName(QStringLiteral("compareButton"));
    connect(compare_, &QPushButton::clicked, this, [this] {
        const QTreeWidgetItem* current = tree_->currentItem();
        ShowChanges(current != nullptr ? current->data(0, kSourceRole).toInt() : -1);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 3);
    layout->addWidget(lintView_, 2);
    layout->addWidget(buttons);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        ShowLint(current != nullptr ? current->data(0, kSourceRole).toInt() : -1);
    });
    if (tree_->topLevelItemCount() > 0)
        tree_->setCurrentItem(tree_->topLevelItem(0));
}

void ArmyListsDialog::ShowChanges(int source) {
    if (source < 0 || static_cast<std::size_t>(source) >= sources_.size())
        return;
    const ArmyListSource& file = sources_[static_cast<std::size_t>(source)];
    const auto earlier = earlier_.find(file.file);
    if (earlier == earlier_.end())
        return;
    ArmyCatalogue then;
    ArmyListReader reader;
    reader.OpenBytes(earlier->second.data(), earlier->second.size());
    then.LoadArmyListText(reader);
    ArmyCatalogue now;
    now.LoadFile(file.file);
    QStringList lines{tr("Changes in %1 since the last start:").arg(PathText(file.file))};
    for (const ListChange& change : DiffArmyLists(then, now))
        lines << FromWin1252(ListChangeLine(change));
    if (lines.size() == 1)
        lines << tr("None that changes a nation, a troop type, a magic item or a siege engine.");
    lintView_->setPlainText(lines.join(QLatin1Char('\n')));
}

void ArmyListsDialog::ShowLint(int source) {
    const bool changed = source >= 0 && static_cast<std::size_t>(source) < sources_.size() &&
                         earlier_.count(sources_[static_cast<std::size_t>(source)].file) != 0;
    compare_->setEnabled(changed);
    if (source < 0 || static_cast<std::size_t>(source) >= lint_.size()) {
        lintView_->clear();
        return;
    }
    const LintedText& linted = lint_[static_cast<std::size_t>(source)];
    QStringList lines;
    for (const LintFinding& finding : linted.findings)
        lines << FromWin1252(FormatFinding(linted.name, finding));
    if (lines.isEmpty())
        lines << (linted.read ? tr("ovra lint finds nothing in this army list.")
                              : tr("The file cannot be read now."));
    lintView_->setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace ovra

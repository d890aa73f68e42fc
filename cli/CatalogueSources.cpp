#include "CatalogueSources.h"

#include "ArmyCatalogue.h"

#include <algorithm>

namespace ovra {
namespace {

const char* KindName(ArmyListFolder::Kind kind) {
    switch (kind) {
    case ArmyListFolder::Kind::Given:
        return "given";
    case ArmyListFolder::Kind::Program:
        return "program";
    case ArmyListFolder::Kind::System:
        return "system";
    case ArmyListFolder::Kind::User:
        return "user";
    }
    return "file";
}

// The kind of the folder a file was read from; "file" for one from elsewhere.
const char* FolderKind(const std::filesystem::path& file, const std::vector<ArmyListFolder>& folders) {
    const std::filesystem::path folder = file.parent_path().lexically_normal();
    const auto it = std::find_if(folders.begin(), folders.end(), [&folder](const ArmyListFolder& candidate) {
        return candidate.path.lexically_normal() == folder;
    });
    return it == folders.end() ? "file" : KindName(it->kind);
}

std::string SourceText(const ArmyListSource& source, const std::vector<ArmyListFolder>& folders) {
    switch (source.kind) {
    case ArmyListSource::Kind::BuiltIn:
        return "built-in";
    case ArmyListSource::Kind::File:
        return std::string(FolderKind(source.file, folders)) + " " + source.file.string();
    case ArmyListSource::Kind::Memory:
        break;
    }
    return "text";
}

} // namespace

std::string CatalogueSourcesText(const ArmyCatalogue& catalogue, const std::vector<ArmyListFolder>& folders) {
    std::string text = "folders, in load order:\n";
    for (const ArmyListFolder& folder : folders)
        text += "  " + std::string(KindName(folder.kind)) + " " + folder.path.string() + "\n";
    text += "read, in load order (a later nation replaces an earlier one of the same id):\n";
    const std::vector<ArmyListSource>& sources = catalogue.sources();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        text += "  " + SourceText(sources[i], folders) + "\n";
        for (const ArmyListSource::Nation& nation : sources[i].nations) {
            text += "    nation " + std::to_string(nation.id) + " " + nation.name;
            if (nation.replaced)
                text += ", replacing " + nation.replacedName + " of " +
                        (nation.replacedSource == i ? std::string("this text")
                                                    : SourceText(sources[nation.replacedSource], folders));
            text += "\n";
        }
    }
    return text;
}

} // namespace ovra

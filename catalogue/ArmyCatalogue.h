// The in-memory database of every army list the program knows: the built-in
// text, then the army-list files of the given directories. Built once, then
// read-only; it owns every record.
#pragma once

#include "Records.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace ovra {

class ArmyListObserver;

// One army-list text the catalogue read, in load order, and what it did to
// the nations.
struct ArmyListSource {
    enum class Kind { BuiltIn, File, Memory };

    // A NATION record of the text: a new id, or one that replaced the nation
    // an earlier record of this or an earlier text defined.
    struct Nation {
        std::int32_t id = 0;
        std::string name;
        std::string armyName;
        bool replaced = false;
        std::size_t replacedSource = 0; // index in sources() of the text that defined the replaced nation
        std::string replacedName;
    };

    Kind kind = Kind::Memory;
    std::filesystem::path file;  // Kind::File: the file as it was opened
    std::vector<Nation> nations; // in the order read

    std::filesystem::path folder() const { return file.parent_path(); }
};

// A hash map of 17 buckets whose walk order is part of the program's
// behaviour: buckets 0 to 16, newest key first within a bucket. Setting a key
// that is already held replaces that record in its place.
//
// Each chain grows at its end and is walked backwards, so a record never
// moves once placed; an index from key to position makes Find, Set and Next
// constant time however long the chains grow.
template <class Record> class BucketMap {
public:
    static constexpr std::size_t kBuckets = 17;
    static std::size_t BucketOf(std::uint32_t key) { return (key >> 4) % kBuckets; }

    Record* Find(std::uint32_t key) const {
        const auto it = index_.find(key);
        return it == index_.end() ? nullptr : buckets_[BucketOf(key)][it->second].get();
    }

    void Set(std::unique_ptr<Record> record) {
        auto& chain = buckets_[BucketOf(record->key)];
        const auto [it, added] = index_.try_emplace(record->key, chain.size());
        if (added)
            chain.push_back(std::move(record));
        else
            chain[it->second] = std::move(record); // the replaced record is destroyed here
    }

    // The record after `previous` in walk order; the first for none; none
    // after the last and for a record that is not held.
    const Record* Next(const Record* previous) const {
        std::size_t bucket = 0;
        if (previous != nullptr) {
            const auto it = index_.find(previous->key);
            bucket = BucketOf(previous->key);
            if (it == index_.end() || buckets_[bucket][it->second].get() != previous)
                return nullptr;
            if (it->second > 0)
                return buckets_[bucket][it->second - 1].get();
            ++bucket;
        }
        for (; bucket < kBuckets; ++bucket)
            if (!buckets_[bucket].empty())
                return buckets_[bucket].back().get();
        return nullptr;
    }

    std::size_t Count() const { return index_.size(); }

    void Clear() {
        for (auto& chain : buckets_)
            chain.clear();
        index_.clear();
    }

private:
    // Oldest key first; the walk runs from the back.
    std::array<std::vector<std::unique_ptr<Record>>, kBuckets> buckets_;
    std::unordered_map<std::uint32_t, std::size_t> index_; // key -> position in its chain
};

// A list in load order whose records know their position, with the first
// record of each code found in constant time. A code may repeat; Find gives
// the record loaded first.
template <class Record> class CodedList {
public:
    void Append(std::unique_ptr<Record> record) {
        record->ordinal = list_.size();
        firstOfCode_.try_emplace(record->key, list_.size());
        list_.push_back(std::move(record));
    }

    const Record* Find(Code code) const {
        const auto it = firstOfCode_.find(code);
        return it == firstOfCode_.end() ? nullptr : list_[it->second].get();
    }

    // The record after `previous`; the first for none; none after the last
    // and for a record that is not held.
    const Record* Next(const Record* previous) const {
        std::size_t i = 0;
        if (previous != nullptr) {
            if (previous->ordinal >= list_.size() || list_[previous->ordinal].get() != previous)
                return nullptr;
            i = previous->ordinal + 1;
        }
        return i < list_.size() ? list_[i].get() : nullptr;
    }

    void Clear() {
        list_.clear();
        firstOfCode_.clear();
    }

private:
    std::vector<std::unique_ptr<Record>> list_;
    std::unordered_map<Code, std::size_t> firstOfCode_;
};

class ArmyCatalogue {
public:
    // An empty catalogue; fill it with LoadBuiltIn, LoadDirectory or LoadArmyListText.
    ArmyCatalogue();
    // The built-in text, then every "*.dfm" file of each directory in turn.
    explicit ArmyCatalogue(const std::vector<std::filesystem::path>& armyListDirectories);
    ArmyCatalogue(const ArmyCatalogue&) = delete;
    ArmyCatalogue& operator=(const ArmyCatalogue&) = delete;
    ~ArmyCatalogue();

    // Reads one army-list text from an open reader and adds its records; the
    // text is noted in sources() as one held in memory. An observer, when
    // given, is told what is read where; it changes nothing that is read.
    void LoadArmyListText(ArmyListReader& reader, ArmyListObserver* observer = nullptr);
    // The built-in army-list text; false when the program carries none.
    bool LoadBuiltIn(ArmyListObserver* observer = nullptr);
    // One army-list file; false, and nothing noted, when it cannot be opened
    // or is empty.
    bool LoadFile(const std::filesystem::path& file, ArmyListObserver* observer = nullptr);
    // Every regular "*.dfm" file of the directory, in name order. Files that
    // cannot be opened, are empty or cannot be mapped are skipped silently.
    // Returns the number of files read.
    int LoadDirectory(const std::filesystem::path& directory);

    // Every text read so far, in load order.
    const std::vector<ArmyListSource>& sources() const { return sources_; }

    const NationRecord* FindNation(std::int32_t id) const;
    const NationRecord* NextNation(const NationRecord* previous) const;
    const TroopCategory* FindTroopCategory(std::int32_t bit) const;
    const MagicItemCategory* FindMagicItemCategory(std::int32_t bit) const;
    const TroopCategory* NextTroopCategory(const TroopCategory* previous) const;
    const MagicItemCategory* NextMagicItemCategory(const MagicItemCategory* previous) const;

    const MagicItemRecord* NextMagicItem(const MagicItemRecord* previous) const;
    // The first item with that code, else the first "nomi", else none.
    const MagicItemRecord* FindMagicItem(Code code) const;
    const SiegeEngineRecord* NextSiegeEngine(const SiegeEngineRecord* previous) const;
    // The first engine with that code, else the first "noen", else none.
    const SiegeEngineRecord* FindSiegeEngine(Code code) const;
    const SpecialRuleRecord* NextSpecialRule(const SpecialRuleRecord* previous) const;
    const SpecialRuleRecord* FindSpecialRule(Code code) const;

    std::size_t NationCount() const { return nations_.Count(); }

private:
    void LoadText(ArmyListReader& reader, ArmyListSource source, ArmyListObserver* observer);
    void SetNation(std::unique_ptr<NationRecord> nation);

    BucketMap<NationRecord> nations_;
    BucketMap<MagicItemCategory> magicItemCategories_;
    CodedList<MagicItemRecord> magicItems_;
    CodedList<SiegeEngineRecord> siegeEngines_;
    CodedList<SpecialRuleRecord> specialRules_;
    BucketMap<TroopCategory> troopCategories_;
    std::vector<ArmyListSource> sources_;
};

} // namespace ovra

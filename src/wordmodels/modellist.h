#pragma once

#include "modelcatalogue.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class ModelStore;

// The list the therapist records from: the words (or the phrases) the filter lets through, in
// catalogue order, each with whether an own model of it is there. Nothing here draws.
class ModelList {
public:
    enum class Kind { Words, Phrases };
    struct Filter {
        Kind kind = Kind::Words;
        // A sound group as the games' settings have it (WordBits::Sz .. Dzh): its words and its
        // contrast words. 0 for every group.
        std::uint16_t group = 0;
        // One of WordBits' position bits; 0 for every position.
        std::uint16_t position = 0;
        bool withoutOwnOnly = false;
    };

    ModelList(const ModelCatalogue& catalogue, const ModelStore& store);

    void SetFilter(const Filter& filter);
    const Filter& CurrentFilter() const { return m_filter; }
    // Reads again which models are there (after a keep, a delete, an import).
    void Refresh();

    int Count() const { return int(m_rows.size()); }
    const ModelEntry& At(int row) const { return *m_rows.at(std::size_t(row)).entry; }
    bool HasOwn(int row) const { return m_rows.at(std::size_t(row)).own; }
    // The row showing the model of this name, -1 when the filter hides it.
    int RowOf(const QString& name) const;
    // How many of all the words or phrases (filter or not) have an own model.
    int OwnCount(Kind kind) const;
    int TotalCount(Kind kind) const;

private:
    struct Row {
        const ModelEntry* entry;
        bool own;
    };
    bool passes(const ModelEntry& entry, bool own) const;

    const ModelCatalogue& m_catalogue;
    const ModelStore& m_store;
    Filter m_filter;
    std::vector<Row> m_rows;
    QStringList m_present; // sorted names of the models there
};

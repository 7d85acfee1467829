#include "modellist.h"

#include "modelstore.h"
#include "wordbits.h"

#include <algorithm>

ModelList::ModelList(const ModelCatalogue& catalogue, const ModelStore& store)
    : m_catalogue(catalogue), m_store(store) {
    Refresh();
}

void ModelList::SetFilter(const Filter& filter) {
    m_filter = filter;
    Refresh();
}

void ModelList::Refresh() {
    m_present = m_store.Names();
    std::sort(m_present.begin(), m_present.end());
    m_rows.clear();
    const auto& entries =
        m_filter.kind == Kind::Words ? m_catalogue.Words() : m_catalogue.Phrases();
    for (const ModelEntry& entry : entries) {
        const bool own = std::binary_search(m_present.begin(), m_present.end(), entry.name);
        if (passes(entry, own))
            m_rows.push_back({&entry, own});
    }
}

bool ModelList::passes(const ModelEntry& entry, bool own) const {
    if (m_filter.withoutOwnOnly && own)
        return false;
    if (entry.isPhrase())
        return true;
    const std::uint16_t groupBits = m_filter.group | WordBits::partnerOf(m_filter.group);
    if (m_filter.group && !(entry.soundCode & groupBits))
        return false;
    return !m_filter.position || (entry.soundCode & m_filter.position);
}

int ModelList::RowOf(const QString& name) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].entry->name == name)
            return int(i);
    return -1;
}

int ModelList::OwnCount(Kind kind) const {
    const auto& entries = kind == Kind::Words ? m_catalogue.Words() : m_catalogue.Phrases();
    return int(std::count_if(entries.begin(), entries.end(), [this](const ModelEntry& e) {
        return std::binary_search(m_present.begin(), m_present.end(), e.name);
    }));
}

int ModelList::TotalCount(Kind kind) const {
    return int(kind == Kind::Words ? m_catalogue.Words().size() : m_catalogue.Phrases().size());
}

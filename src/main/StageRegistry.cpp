#include "main/StageRegistry.h"

void StageRegistry::add(StageCode code, Factory create, Starter start) {
    m_entries[code] = Entry{std::move(create), std::move(start)};
}

const StageRegistry::Entry* StageRegistry::find(StageCode code) const {
    auto it = m_entries.find(code);
    return it == m_entries.end() ? nullptr : &it->second;
}

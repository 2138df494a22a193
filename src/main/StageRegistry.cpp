#include "main/StageRegistry.h"

void StageRegistry::add(int code, Factory create, Starter start) {
    m_entries[code] = Entry{std::move(create), std::move(start)};
}

const StageRegistry::Entry* StageRegistry::find(int code) const {
    auto it = m_entries.find(code);
    return it == m_entries.end() ? nullptr : &it->second;
}

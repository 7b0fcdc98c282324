#include "platform/draw/CPalette.h"

#include <algorithm>

BOOL CPalette::CreatePalette(WORD version, const PALETTEENTRY* entries, UINT count) {
    if (m_created || (count > 0 && entries == nullptr)) return FALSE;
    m_version = version;
    m_entries.assign(entries, entries + count);
    m_created = true;
    return TRUE;
}

BOOL CPalette::DeleteObject() {
    if (!m_created) return FALSE;
    m_created = false;
    m_entries.clear();
    return TRUE;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* out) const {
    if (!m_created || start >= m_entries.size()) return 0;
    const UINT n = std::min<UINT>(count, static_cast<UINT>(m_entries.size()) - start);
    std::copy_n(m_entries.begin() + start, n, out);
    return n;
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* in) {
    if (!m_created || start >= m_entries.size()) return 0;
    const UINT n = std::min<UINT>(count, static_cast<UINT>(m_entries.size()) - start);
    std::copy_n(in, n, m_entries.begin() + start);
    return n;
}

BOOL CPalette::ResizePalette(UINT count) {
    if (!m_created) return FALSE;
    m_entries.resize(count, PALETTEENTRY{0, 0, 0, 0});
    return TRUE;
}

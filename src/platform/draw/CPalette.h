#pragma once
#include <vector>

#include "platform/base/WinTypes.h"

// A logical palette: an ordered list of colours. "Created" stands for holding a GDI
// palette handle; an uncreated palette has no entries and cannot be selected.
class CPalette {
public:
    CPalette() = default;
    virtual ~CPalette() = default;
    CPalette(const CPalette&) = delete;
    CPalette& operator=(const CPalette&) = delete;

    // Creates the palette from `count` entries (version is recorded, as a logical palette's).
    BOOL CreatePalette(WORD version, const PALETTEENTRY* entries, UINT count);
    BOOL DeleteObject();
    bool IsCreated() const { return m_created; }

    UINT GetEntryCount() const { return static_cast<UINT>(m_entries.size()); }
    // Copies entries [start, start + count) out; returns how many were copied.
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* out) const;
    UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* in);
    BOOL ResizePalette(UINT count);
    const std::vector<PALETTEENTRY>& Entries() const { return m_entries; }

private:
    bool m_created = false;
    WORD m_version = 0;
    std::vector<PALETTEENTRY> m_entries;
};

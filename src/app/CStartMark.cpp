#include "app/CStartMark.h"

#include <unistd.h>

#include "platform/files/CAtomicFile.h"

bool CStartMark::IsSet() const {
    return !m_path.empty() && access(m_path.c_str(), F_OK) == 0;
}

bool CStartMark::Set() const {
    if (m_path.empty()) return false;
    if (IsSet()) return true;
    return CAtomicFile::WriteAll(m_path,
                                 "The start-up pictures were shown in full once; later starts "
                                 "may skip them.\n");
}

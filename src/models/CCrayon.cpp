#include "models/CCrayon.h"

#include <sys/stat.h>

#include <cstdlib>

#include "models/CDescParser.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CDataFolders.h"
#include "platform/files/CFile.h"

namespace {

std::string BlockValue(const std::string& block, const std::string& depthPrefix, const char* key) {
    const CDescParser parser;
    int next = 0;
    std::string prefix = depthPrefix;
    return parser.GetValue(block, key, 0, next, prefix);
}

// "x,y,w,h" read as with atoi; missing parts count as 0.
CRect ParsePosition(const std::string& text) {
    int parts[4] = {0, 0, 0, 0};
    std::size_t start = 0;
    for (int& part : parts) {
        if (start > text.size()) break;
        part = std::atoi(text.c_str() + start);
        const std::size_t comma = text.find(',', start);
        start = comma == std::string::npos ? text.size() + 1 : comma + 1;
    }
    return CRect(parts[0], parts[1], parts[0] + parts[2], parts[1] + parts[3]);
}

}  // namespace

bool CCrayon::ReadPicture(CDib& picture, const std::string& path) {
    // A directory (an empty file name leaves the bare folder) does not count as a file.
    struct stat status {};
    if (stat(CDataFolders::ForReading(path).c_str(), &status) != 0 || S_ISDIR(status.st_mode)) {
        CContentReport::Report(path,
                               "is missing; put the picture there or correct its name in "
                               "the description.");
        return false;
    }
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        CContentReport::Report(path, "cannot be opened; check that the program may read it.");
        return false;
    }
    // A picture that is refused tells the grown-ups why itself.
    return picture.Read(file);
}

void CCrayon::AdoptTexture() {
    const CSize size = m_texture.GetSize();
    m_textureWidth = size.cx;
    m_textureHeight = size.cy;
    const CLayerView view = m_texture.IsValid()
                                ? CLayerView(&m_texture.GetHeader()->bmiHeader, m_texture.GetBits(),
                                             m_texture.GetImageSize())
                                : CLayerView();
    m_swatch =
        Swatch(view, 256.0f / static_cast<float>(size.cx), 256.0f / static_cast<float>(size.cy));
}

std::optional<Swatch> CCrayon::SwatchOf(const CCrayon* crayon) {
    if (crayon == nullptr) return std::nullopt;
    return crayon->GetSwatch();
}

bool CCrayon::LoadFiles(const std::string& texturePath, const std::string& selectedPath) {
    if (!ReadPicture(m_texture, texturePath)) return false;
    AdoptTexture();
    if (!m_swatch.HasPixels())
        CContentReport::Report(texturePath,
                               "has " + std::to_string(m_texture.GetBitCount()) +
                                   " bits per pixel, but a crayon's or texture's pattern needs "
                                   "24 or 32, so it colours nothing; save it again as an "
                                   "uncompressed 24-bit BMP picture.");
    return ReadPicture(m_selected, selectedPath);
}

bool CCrayon::Load(const std::string& block, const std::string& depthPrefix,
                   const std::string& imageFolder, const std::string& soundFolder) {
    if (!LoadFiles(imageFolder + BlockValue(block, depthPrefix, "Tex"),
                   imageFolder + BlockValue(block, depthPrefix, "Sel")))
        return false;
    m_position = ParsePosition(BlockValue(block, depthPrefix, "Pos"));
    m_soundPath = soundFolder + BlockValue(block, depthPrefix, "Snd");
    return true;
}

BOOL CCrayon::PaintSelected(CDC& dc, const CRect& rect) {
    return m_selected.Paint(dc, rect.left, rect.top, rect.Width(), rect.Height(), nullptr);
}

bool CCrayon::PlaySound() {
    if (!m_sound.IsLoaded() && !m_sound.Load(m_soundPath)) return false;
    return m_sound.Play(CBasicSound::kObjectSound);
}

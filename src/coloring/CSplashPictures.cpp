#include "coloring/CSplashPictures.h"

#include "coloring/CColoringLayout.h"
#include "platform/files/CContentReport.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowManager.h"

namespace {

constexpr DWORD kBrandClosingMs = 3000;
constexpr DWORD kLastClosingMs = 2000;

void PaintWhole(CDC& dc, CDib* picture) {
    if (picture == nullptr) return;
    const CSize size = picture->GetSize();
    picture->Paint(dc, 0, 0, size.cx, size.cy, nullptr);
}

// Busy-waits on the tick count without handling messages.
void WaitFor(DWORD span) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < span) {
    }
}

}  // namespace

void CSplashPictures::LoadStartup() {
    m_brand = std::make_unique<CDib>();
    if (!m_brand->Load(CColoringLayout::kBrandFile)) {
        CContentReport::Report(CColoringLayout::kBrandFile,
                               "Failed to load second splash screen file.");
    }
    m_story = std::make_unique<CDib>();
    if (!m_story->Load(CColoringLayout::kStoryFile)) {
        CContentReport::Report(CColoringLayout::kStoryFile,
                               "Failed to load third splash screen file.");
    }
}

void CSplashPictures::PaintBrand(CDC& dc) {
    PaintWhole(dc, m_brand.get());
}

void CSplashPictures::PaintStory(CDC& dc) {
    PaintWhole(dc, m_story.get());
    m_brand.reset();
}

void CSplashPictures::Release() {
    m_story.reset();
}

void CSplashPictures::ShowClosing(CWnd& window, CPalette* palette) {
    CDib picture;
    if (!picture.Load(CColoringLayout::kBrandFile))
        CContentReport::Report(CColoringLayout::kBrandFile, "Failed to load file.");
    CDC* dc = window.GetDC();
    if (dc == nullptr) return;
    if (palette != nullptr) {
        dc->SelectPalette(palette, FALSE);
        dc->RealizePalette();
    }
    auto show = [&window, dc, &picture] {
        PaintWhole(*dc, &picture);
        WindowManager::Instance().NoteDrawn(&window, VisibleScreenRect(&window));
        WindowManager::Instance().PresentIfDirty();
    };
    show();
    picture.Empty();
    if (!picture.Load(CColoringLayout::kClosingFile))
        CContentReport::Report(CColoringLayout::kClosingFile, "Failed to load file.");
    WaitFor(kBrandClosingMs);
    show();
    WaitFor(kLastClosingMs);
    window.ReleaseDC(dc);
}

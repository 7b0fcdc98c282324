// Picture messages: each kind shows its own card and plays its own voice, the tick closes
// it, the caption for grown-ups stays in its band, and the presenter shows one message at
// a time and hands the messages back when it goes.
#include <set>

#include "HubFixture.h"
#include "app/CMessagePresenter.h"
#include "dialogs/CPictureMessageDlg.h"
#include "resources/ChildMessageArt.h"

namespace {

using Message = ScreenLayouts::Message;
const CRect& kPopup = ScreenLayouts::kPopupRect;
const CPoint kTick = Message::kOk.CentreOn(kPopup);

class PictureMessageTest : public HubFixture {
  protected:
    // The pixels of the screen inside `rect` (display coordinates), row by row.
    std::vector<COLORREF> Pixels(const CRect& rect) const {
        std::vector<COLORREF> pixels;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                pixels.push_back(backend.Surface().GetPixel(x, y));
        return pixels;
    }
    // Runs the message for `kind` with `caption`, keeps what the screen showed once it was
    // open, then clicks the tick; returns the dialog's result.
    int ShowAndTick(ChildMessage kind, const std::string& caption, std::vector<COLORREF>& shown) {
        CPictureMessageDlg dialog(kind, caption, nullptr);
        dialog.PlaceOver(nullptr);
        Script({[&] { shown = Pixels(kPopup); }, [&] { backend.InjectClick(kTick); }});
        return dialog.DoModal();
    }
    std::vector<std::string> MessageLines() const {
        std::vector<std::string> lines;
        for (const HeadlessBackend::Entry& entry : backend.Record())
            if (entry.text.starts_with("message ")) lines.push_back(entry.text);
        return lines;
    }
};

TEST_F(PictureMessageTest, EveryKindShowsItsOwnCardAndVoiceAndTheTickClosesIt) {
    std::set<std::vector<COLORREF>> cards;
    for (const ChildMessageArt::Entry& entry : ChildMessageArt::All()) {
        std::vector<COLORREF> shown;
        EXPECT_EQ(ShowAndTick(entry.kind, "", shown), IDOK) << entry.picture;
        cards.insert(shown);
        EXPECT_EQ(CountSound(entry.voice), 1) << entry.voice;
    }
    EXPECT_EQ(cards.size(), ChildMessageArt::All().size()) << "two kinds show the same card";
    EXPECT_EQ(SoundsPlayed().size(), ChildMessageArt::All().size());
}

TEST_F(PictureMessageTest, TheCaptionIsWrittenInItsBandAndNowhereElse) {
    std::vector<COLORREF> plain, captioned;
    ShowAndTick(ChildMessage::ScrapbookFull, "", plain);
    ShowAndTick(ChildMessage::ScrapbookFull, "The scrapbook is full.", captioned);
    ASSERT_EQ(plain.size(), captioned.size());
    const CRect band = Message::kCaption.rect;
    int changedInBand = 0;
    int changedOutside = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const CPoint at(static_cast<int>(i) % kPopup.Width(), static_cast<int>(i) / kPopup.Width());
        if (plain[i] == captioned[i]) continue;
        ++(band.PtInRect(at) ? changedInBand : changedOutside);
    }
    EXPECT_GT(changedInBand, 50);
    EXPECT_EQ(changedOutside, 0);
}

TEST_F(PictureMessageTest, APictureThatCannotLoadStillGivesACardWithATick) {
    fs::remove(ChildMessageArt::PicturePath(ChildMessage::NoPrinter));
    std::vector<COLORREF> shown;
    EXPECT_EQ(ShowAndTick(ChildMessage::NoPrinter, "There is no printer.", shown), IDOK);
    // The card is filled, not left showing whatever was under it.
    EXPECT_EQ(shown.front(), RGB(255, 255, 170));
    EXPECT_EQ(CountSound(ChildMessageArt::Of(ChildMessage::NoPrinter).voice), 1);
}

TEST_F(PictureMessageTest, ThePresenterShowsOneMessageAtATimeAndHandsBackWhenItGoes) {
    std::vector<std::string> whileOpen;
    {
        const CMessagePresenter presenter;
        Script({[&] {
                    // A second message while the first is on show is recorded, not stacked.
                    AfxMessageBox(ChildMessage::SaveFailed, "Second");
                    whileOpen = MessageLines();
                },
                [&] { backend.InjectClick(kTick); }});
        EXPECT_EQ(AfxMessageBox(ChildMessage::NoStoryChosen, "First"), IDOK);
        EXPECT_EQ(next, steps.size()) << "the first message stayed open until its tick";
    }
    EXPECT_EQ(whileOpen, (std::vector<std::string>{"message NoStoryChosen \"First\"",
                                                   "message SaveFailed \"Second\""}));
    EXPECT_EQ(SoundsPlayed(), std::vector<std::string>{"nostory.wav"});
    EXPECT_TRUE(messages.empty()) << "the fixture's handler was not called while presenting";
    AfxMessageBox(ChildMessage::NoSlides, "After");
    EXPECT_EQ(messages, std::vector<std::string>{"After"});
}

}  // namespace

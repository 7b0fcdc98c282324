// The base every screen is built on: placing the window and its picture buttons, binding
// the buttons to the template's controls, and the pointer cursor.
#include "HubFixture.h"
#include "dialogs/CPictureDialog.h"

namespace {

constexpr UINT kTemplateId = 4711;
constexpr int kYes = 10;
constexpr int kNo = 11;
constexpr int kExtra = 12;

const PictureFace kFaces[] = {
    {kYes, "yes", "yesu.bmp", "yesd.bmp", nullptr, CRect(138, 161, 192, 236)},
    {kNo, "no", "nou.bmp", "nod.bmp", "nou.bmp", CRect(204, 161, 258, 236)},
};
constexpr CRect kExtraRect(10, 20, 40, 60);
// A face without pictures: the screen would draw the button itself.
const PictureFace kOwnFaces[] = {{kExtra, "extra", nullptr, nullptr, nullptr, kExtraRect}};

// A screen with two faces from the print confirmation's pictures and one button whose
// pictures it would set itself.
class TestScreen : public CPictureDialog {
  public:
    explicit TestScreen(const char* background) : CPictureDialog(kTemplateId, nullptr) {
        GetBackground().Load(background);
        AddButtons("../bitmaps/print/", kFaces);
        AddButtons("../bitmaps/print/", kOwnFaces);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        PlaceWindow(TRUE, CSize(320, 200));
        PlaceButtons(FALSE);
        return TRUE;
    }

  protected:
    const DialogTemplate* GetDialogTemplate() const override {
        static const DialogTemplate layout = [] {
            DialogTemplate t;
            t.id = kTemplateId;
            t.rect = CRect(0, 0, 100, 100);
            CPictureDialog::AddFaceItems(t, kFaces);
            // Laid out elsewhere in the template: placing moves it onto its own rectangle.
            t.items.push_back({kExtra, DialogTemplate::Kind::Button, CRect(0, 0, 1, 1),
                               WS_VISIBLE | BS_OWNERDRAW, "extra"});
            return t;
        }();
        return &layout;
    }
};

class PictureDialogTest : public HubFixture {
  protected:
    static CRect WindowRect(const CWnd& window) {
        CRect rect;
        window.GetWindowRect(&rect);
        return rect;
    }
};

TEST_F(PictureDialogTest, EmptySizeTakesTheBackgroundsOrTheFallbackAndButtonsSitOnTheirFaces) {
    TestScreen screen("../bitmaps/print/print.bmp");
    screen.SetPosition(30, 40, 0, 0);
    ASSERT_TRUE(screen.Create(kTemplateId));
    const CSize picture = screen.GetPosition().Size();
    EXPECT_GT(picture.cx, 0);
    EXPECT_EQ(WindowRect(screen), CRect(CPoint(30, 40), picture));
    for (const PictureFace& face : kFaces) {
        CRect expected = face.rect;
        expected.OffsetRect(30, 40);
        EXPECT_EQ(WindowRect(screen.GetButton(face.id)), expected) << face.text;
        EXPECT_TRUE(screen.GetButton(face.id).HasPictures()) << face.text;
    }
    CRect extra = kExtraRect;
    extra.OffsetRect(30, 40);
    EXPECT_EQ(WindowRect(screen.GetButton(kExtra)), extra);
    EXPECT_FALSE(screen.GetButton(kExtra).HasPictures());
    // An unknown control id falls back to the first button rather than failing.
    EXPECT_EQ(&screen.GetButton(999), &screen.GetButton(kYes));
    screen.DestroyWindow();

    TestScreen missing("../bitmaps/print/no-such-picture.bmp");
    missing.SetPosition(5, 6, 0, 0);
    ASSERT_TRUE(missing.Create(kTemplateId));
    EXPECT_EQ(WindowRect(missing), CRect(5, 6, 325, 206));
    missing.DestroyWindow();

    TestScreen fixed("../bitmaps/print/print.bmp");
    fixed.SetPosition(1, 2, 50, 60);
    ASSERT_TRUE(fixed.Create(kTemplateId));
    EXPECT_EQ(WindowRect(fixed), CRect(1, 2, 51, 62));
    fixed.DestroyWindow();
}

TEST_F(PictureDialogTest, PointerShowsOverTheScreenOnlyWhenACursorSetWasHanded) {
    TestScreen screen("../bitmaps/print/print.bmp");
    ASSERT_TRUE(screen.Create(kTemplateId));
    cursor.SetShape(CursorShape::SmallTip);
    screen.OnSetCursor(&screen, HTCLIENT, WM_MOUSEMOVE);
    EXPECT_EQ(cursor.GetShape(), CursorShape::SmallTip)
        << "no cursor set yet: the screen leaves it alone";
    screen.SetCursorObject(&cursor);
    EXPECT_TRUE(screen.OnSetCursor(&screen, HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(cursor.GetShape(), CursorShape::Pointer);
    screen.DestroyWindow();
}

}  // namespace

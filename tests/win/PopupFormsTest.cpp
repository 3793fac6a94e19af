#include <gtest/gtest.h>

#include "PopupSupport.h"
#include "model/Model.h"
#include "ui/PopupForms.h"

namespace vimo {
namespace {

TEST(PopupForms, TheRunnerCanPlaceAtTheCursorShowAndFreeEachPopup) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one"});
  ClipHistoryWidth = 200;
  TForm* forms[] = {CreateCalendarPopup(0), CreateWorldTimePopup(0), CreateTimeMapPopup(0),
                    CreateClipPopup({50, 60}, 0x100, false)};
  for (TForm* form : forms) {
    TRect b = PopupBounds(form);
    // Tray click: the bottom-right corner goes to the cursor at (500, 400).
    MovePopup(form, 500 - b.Width(), 400 - b.Height());
    TRect moved = PopupBounds(form);
    EXPECT_EQ(moved.right, 500);
    EXPECT_EQ(moved.bottom, 400);
    EXPECT_EQ(moved.Width(), b.Width());
    ShowPopup(form);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    BringPopupToFront(form);
    HWND h = form->Handle();
    FreePopup(form);
    EXPECT_FALSE(IsWindow(h));
  }
  EXPECT_EQ(ClipHistoryWidth, 200) << "freed clip pop-up stores its width";
  ClipHistory = std::move(savedHistory);
}

}  // namespace
}  // namespace vimo

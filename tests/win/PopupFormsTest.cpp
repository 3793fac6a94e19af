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
    EXPECT_FALSE(IsWindowVisible(h)) << "gone from the screen at once";
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindow(h)) << "and destroyed after the current message";
  }
  EXPECT_EQ(ClipHistoryWidth, 200) << "freed clip pop-up stores its width";
  ClipHistory = std::move(savedHistory);
}

TForm* CreateEach(int i) {
  switch (i) {
    case 0: return CreateCalendarPopup(0);
    case 1: return CreateWorldTimePopup(0);
    case 2: return CreateTimeMapPopup(0);
    default: return CreateClipPopup({50, 60}, 0x100, false);
  }
}

TEST(PopupForms, APopupFreedWhileItIsBeingShownGoesOnlyAfterItsShow) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one"});
  for (int i = 0; i < 4; ++i) {
    TForm* form = CreateEach(i);
    ActivePopup = form;
    HWND h = form->Handle();
    bool freed = false;
    // Showing lets pending messages run: the deactivation or the auto-hide frees it there.
    Application().PostDeferred([&] {
      freed = true;
      ActivePopup = nullptr;
      FreePopup(form);
    });
    ShowPopup(form);
    EXPECT_TRUE(freed) << i;
    EXPECT_TRUE(IsWindow(h)) << i << ": freed inside its own show";
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindow(h)) << i;
  }
  ClipHistory = std::move(savedHistory);
}

}  // namespace
}  // namespace vimo

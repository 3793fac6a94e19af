#include <gtest/gtest.h>

#include "FakePasteSystem.h"
#include "clips/Paste.h"

namespace vimo {
namespace {

using test::FakePasteSystem;
using Journal = FakePasteSystem::Journal;

void* const kNotepad = reinterpret_cast<void*>(0x1234);

class PasteTest : public ::testing::Test {
 protected:
  PasteTest() : paster(fake) {
    fake.replay = &paster.Replay();
    fake.windows.insert(kNotepad);
  }
  static std::vector<TKeyEvent> ShiftInsert() {
    return ShiftInsertEvents({}, [](int vk) { return static_cast<std::uint32_t>(vk) + 0x100; });
  }
  FakePasteSystem fake;
  TPaster paster;
};

TEST_F(PasteTest, APlayingJournalTypesShiftInsertAroundTheHeldModifiers) {
  fake.held.Ctrl = true;
  EXPECT_EQ(paster.Paste(kNotepad, "text"), TPasteResult::Pasted);
  EXPECT_EQ(fake.clipboard, "text");
  EXPECT_EQ(fake.foreground, kNotepad);
  EXPECT_EQ(fake.played, ShiftInsertEvents(fake.held, [](int vk) { return static_cast<std::uint32_t>(vk) + 0x100; }));
  EXPECT_TRUE(fake.sent.empty());
  EXPECT_FALSE(paster.Replay().IsPlaying());
  EXPECT_FALSE(paster.JournalDoesNotPlay());
}

TEST_F(PasteTest, AClipboardHeldForAMomentIsWrittenOnceFreeAndThenPasted) {
  for (std::uint32_t held : {260u, 500u, 900u}) {
    FakePasteSystem f;
    f.windows.insert(kNotepad);
    TPaster p(f);
    f.replay = &p.Replay();
    f.clipboardHeldUntil = held;
    EXPECT_EQ(p.Paste(kNotepad, "new"), TPasteResult::Pasted) << held;
    EXPECT_EQ(f.clipboard, "new") << held;
    EXPECT_EQ(f.Typed(), ShiftInsert()) << held;
    EXPECT_TRUE(f.notices.empty()) << held;
  }
}

TEST_F(PasteTest, AClipboardHeldLongerSendsNoKeysAndSaysSo) {
  fake.clipboardHeldUntil = 5000;
  EXPECT_EQ(paster.Paste(kNotepad, "new"), TPasteResult::ClipboardBusy);
  EXPECT_EQ(fake.clipboard, "old text");
  EXPECT_TRUE(fake.Typed().empty()) << "the target would paste the old text";
  EXPECT_EQ(fake.journalInstalls, 0);
  ASSERT_EQ(fake.notices.size(), 1u);
  EXPECT_EQ(fake.notices[0], kClipboardBusyText);
  EXPECT_GE(fake.now, kClipboardRetryBound);
  EXPECT_LT(fake.now, kClipboardRetryBound + 100) << "the retry is bounded";
  EXPECT_EQ(fake.foreground, nullptr) << "nothing is brought to the front either";
}

TEST_F(PasteTest, AClosedTargetGetsNoKeysAndTheTextStaysOnTheClipboard) {
  fake.windows.clear();
  EXPECT_EQ(paster.Paste(kNotepad, "kept"), TPasteResult::NoTarget);
  EXPECT_EQ(fake.clipboard, "kept");
  EXPECT_TRUE(fake.Typed().empty());
  EXPECT_EQ(fake.journalInstalls, 0);
  EXPECT_EQ(fake.foreground, nullptr);
  EXPECT_EQ(paster.Paste(nullptr, "none"), TPasteResult::NoTarget);
  EXPECT_TRUE(fake.Typed().empty());
}

TEST_F(PasteTest, ACancelledReplaySendsNothingMore) {
  fake.journal = Journal::CancelledAfter;
  fake.cancelAfterEvents = 1;  // Shift down played, then the user pressed Ctrl+Esc
  EXPECT_EQ(paster.Paste(kNotepad, "text"), TPasteResult::Cancelled);
  EXPECT_EQ(fake.played.size(), 1u);
  EXPECT_TRUE(fake.sent.empty()) << "the rest went to whatever window is in front now";
  EXPECT_FALSE(paster.Replay().IsPlaying());
  EXPECT_FALSE(paster.JournalDoesNotPlay()) << "a cancel is no sign that the journal does not play";
  fake.journal = Journal::Plays;
  EXPECT_EQ(paster.Paste(kNotepad, "again"), TPasteResult::Pasted) << "the next paste is not stuck";
  EXPECT_EQ(fake.played.size(), 1u + ShiftInsert().size());
}

TEST_F(PasteTest, AJournalThatNeverPlaysIsRememberedAndLaterPastesSendAtOnce) {
  fake.journal = Journal::NeverPlays;
  EXPECT_EQ(paster.Paste(kNotepad, "one"), TPasteResult::Pasted);
  EXPECT_EQ(fake.sent, ShiftInsert()) << "the first paste falls back after the bound";
  EXPECT_TRUE(paster.JournalDoesNotPlay());
  const std::uint32_t before = fake.now;
  fake.sent.clear();
  EXPECT_EQ(paster.Paste(kNotepad, "two"), TPasteResult::Pasted);
  EXPECT_EQ(fake.sent, ShiftInsert());
  EXPECT_EQ(fake.sendCalls, 2) << "all keys in one batch";
  EXPECT_EQ(fake.journalInstalls, 1) << "no second hook";
  EXPECT_EQ(fake.now - before, 0u) << "no waiting at all once the target is in front";
}

TEST_F(PasteTest, ARefusedJournalIsRememberedToo) {
  fake.journal = Journal::Refused;
  paster.Paste(kNotepad, "one");
  paster.Paste(kNotepad, "two");
  EXPECT_EQ(fake.journalInstalls, 1);
  EXPECT_EQ(fake.sent.size(), 2 * ShiftInsert().size());
  EXPECT_TRUE(paster.JournalDoesNotPlay());
}

TEST_F(PasteTest, TheKeysWaitForTheTargetToComeToTheFrontButNotForEver) {
  fake.journal = Journal::Refused;
  fake.foregroundDelay = 30;
  paster.Paste(kNotepad, "one");
  EXPECT_GE(fake.now, 30u);
  EXPECT_LT(fake.now, 30u + 2 * kClipboardRetryPause) << "sent as soon as the target is in front";
  // A target that never comes to the front (a window of another desktop) still gets the keys.
  fake.foregroundDelay = 100000;
  fake.foreground = nullptr;
  const std::uint32_t before = fake.now;
  EXPECT_EQ(paster.Paste(kNotepad, "two"), TPasteResult::Pasted);
  EXPECT_GE(fake.now - before, kForegroundBound);
  EXPECT_LT(fake.now - before, kForegroundBound + 2 * kClipboardRetryPause);
  EXPECT_EQ(fake.sent.size(), 2 * ShiftInsert().size());
}

}  // namespace
}  // namespace vimo

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "EditorSupport.h"
#include "PopupSupport.h"
#include "clips/win32/ClipEdit.h"
#include "model/Model.h"
#include "platform/Utf.h"

namespace vimo {
namespace {

using test::ClickButton;
using test::WhenShown;

class ClipEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHistory_ = std::move(ClipHistory);
    ClipHistory = std::make_unique<TStringList>();
    savedDisable_ = DisableHistory;
    DisableHistory = false;
    savedDisplay_ = Application().ErrorDisplay;
    Application().ErrorDisplay = [this](const std::string& m) { errors.push_back(m); };
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    file = std::string(temp) + "vimo-clipedit.txt";
  }
  void TearDown() override {
    Application().ProcessMessages();
    DeleteFileA(file.c_str());
    TFileDialog::Runner = nullptr;
    Application().ErrorDisplay = savedDisplay_;
    DisableHistory = savedDisable_;
    ClipHistory = std::move(savedHistory_);
  }

  bool Edit(TClipRecord& clip, const std::function<void(TfrmClipEditor&)>& step) {
    TfrmClipEditor editor;
    WhenShown([&] { step(editor); });
    return editor.EditClip(clip);
  }

  static bool On(TControl* c) { return IsWindowEnabled(c->Handle()) != FALSE; }

  // The picker the clip editor opened, found by its caption.
  static TfrmClipHistory* OpenPicker() {
    HWND h = FindWindowA(nullptr, "Clipboard History");
    return h ? dynamic_cast<TfrmClipHistory*>(static_cast<TControl*>(GetPropA(h, "VimoControl"))) : nullptr;
  }

  std::string ReadBack() {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::vector<std::string> errors;
  std::string file;

 private:
  std::unique_ptr<TStringList> savedHistory_;
  bool savedDisable_ = false;
  std::function<void(const std::string&)> savedDisplay_;
};

TEST_F(ClipEditorTest, TextComesBackWithCrLfLineBreaks) {
  struct Case {
    std::string in, out;
  };
  for (const Case& c : {Case{"single line", "single line"}, Case{"a\rb", "a\r\nb"}, Case{"a\nb\n", "a\r\nb\r\n"},
                        Case{"a\r\nb\r\n\r\nc", "a\r\nb\r\n\r\nc"}, Case{"\n\r", "\r\n\r\n"}}) {
    TClipRecord clip{"note", c.in};
    ASSERT_TRUE(Edit(clip, [&](TfrmClipEditor& e) {
      EXPECT_EQ(e.edtComment->Text(), "note");
      EXPECT_EQ(e.memText->Text(), c.out);
      ClickButton(e.btnOK);
    }));
    EXPECT_EQ(clip, (TClipRecord{"note", c.out})) << c.in;
  }
}

TEST_F(ClipEditorTest, OkFollowsTheTextAndCancelKeepsTheClip) {
  TClipRecord clip{"old", ""};
  EXPECT_FALSE(Edit(clip, [&](TfrmClipEditor& e) {
    EXPECT_FALSE(On(e.btnOK));
    // Blanks and line breaks count as text.
    e.memText->SetText("\r\n");
    EXPECT_TRUE(On(e.btnOK));
    e.memText->SetText("");
    EXPECT_FALSE(On(e.btnOK));
    e.edtComment->SetText("new");
    PostMessageA(e.edtComment->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    WhenShown([&] {
      EXPECT_EQ(e.ModalResult, mrNone);
      e.memText->SetText(" ");
      ClickButton(e.btnCancel);
    });
  }));
  EXPECT_EQ(clip, (TClipRecord{"old", ""}));

  EXPECT_TRUE(Edit(clip, [&](TfrmClipEditor& e) {
    e.memText->SetText(" ");
    e.edtComment->SetText("new");
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(clip, (TClipRecord{"new", " "}));
}

TEST_F(ClipEditorTest, HistoryButtonFollowsDisableHistory) {
  for (bool disabled : {true, false}) {
    DisableHistory = disabled;
    TClipRecord clip{"", "x"};
    Edit(clip, [&](TfrmClipEditor& e) {
      EXPECT_EQ(On(e.btnHistory), !disabled);
      ClickButton(e.btnCancel);
    });
  }
}

TEST_F(ClipEditorTest, LoadReplacesTheMemoAndSaveWritesItAsShown) {
  std::ofstream(file, std::ios::binary) << "one\ntwo\rthree\r\n";
  bool confirm = true;
  TFileDialog::Runner = [&](TFileDialog& d) {
    EXPECT_EQ(d.DefaultExt, "txt");
    EXPECT_EQ(d.Filter, "Text files (*.txt)|*.txt|Any files (*.*)|*.*");
    d.FileName = file;
    return confirm;
  };
  TClipRecord clip{"", "old text"};
  ASSERT_TRUE(Edit(clip, [&](TfrmClipEditor& e) {
    ClickButton(e.btnLoad);
    EXPECT_EQ(e.memText->Text(), "one\r\ntwo\r\nthree\r\n");
    e.memText->SetText("saved\r\nno break at the end");
    ClickButton(e.btnSave);
    EXPECT_EQ(ReadBack(), "saved\r\nno break at the end");
    // A cancelled dialog changes nothing.
    confirm = false;
    ClickButton(e.btnLoad);
    EXPECT_EQ(e.memText->Text(), "saved\r\nno break at the end");
    // A missing file is reported and the memo keeps its text.
    confirm = true;
    DeleteFileA(file.c_str());
    ClickButton(e.btnLoad);
    EXPECT_EQ(e.memText->Text(), "saved\r\nno break at the end");
    ClickButton(e.btnOK);
  }));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("vimo-clipedit.txt"), std::string::npos);
  EXPECT_EQ(clip.Text, "saved\r\nno break at the end");
}

// Files of any name; Western text read and written in the ANSI code page as before,
// other text written as marked UTF-8, and the usual Unicode files of other programs read.
TEST_F(ClipEditorTest, LoadAndSaveKeepTextOfEveryScriptInFilesOfAnyName) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page, not " << GetACP();
  const std::string world = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                            "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring name = std::wstring(temp) + Widen("vimo-\xD0\xBA\xD0\xBB\xD0\xB8\xD0\xBF \xCE\xBB.txt");
  auto put = [&](const std::string& bytes) {
    HANDLE f = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
  };
  auto stored = [&] {
    HANDLE f = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(f);
    bytes.resize(read);
    return bytes;
  };
  TFileDialog::Runner = [&](TFileDialog& d) {
    d.FileName = Narrow(name);
    return true;
  };
  TClipRecord clip{"", "x"};
  ASSERT_TRUE(Edit(clip, [&](TfrmClipEditor& e) {
    put("Gr\xFC\xDF" "e \x80\nna\xEFve");  // an old Western file
    ClickButton(e.btnLoad);
    EXPECT_EQ(e.memText->Text(), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\r\nna\xC3\xAFve");
    ClickButton(e.btnSave);
    EXPECT_EQ(stored(), "Gr\xFC\xDF" "e \x80\r\nna\xEFve") << "Western text stays in the ANSI code page";
    e.memText->SetText(world);
    ClickButton(e.btnSave);
    EXPECT_EQ(stored(), "\xEF\xBB\xBF" + world);
    e.memText->SetText("");
    ClickButton(e.btnLoad);
    EXPECT_EQ(e.memText->Text(), world);
    std::wstring wide = L"\xFEFF" + Widen(world);  // as Notepad saves "Unicode"
    put(std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)));
    e.memText->SetText("");
    ClickButton(e.btnLoad);
    EXPECT_EQ(e.memText->Text(), world);
    ClickButton(e.btnOK);
  }));
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(clip.Text, world);
  DeleteFileW(name.c_str());
}

TEST_F(ClipEditorTest, PickerWithEmptyHistoryShowsEmptyAndEmptiesTheText) {
  TClipRecord clip{"", "keep"};
  EXPECT_FALSE(Edit(clip, [&](TfrmClipEditor& e) {
    WhenShown([&] {
      TfrmClipHistory* picker = OpenPicker();
      ASSERT_NE(picker, nullptr);
      EXPECT_EQ(picker->dgdClips->RowCount(), 1);
      EXPECT_EQ(picker->memText->Text(), "");
      // Something is written in the single row.
      int h = picker->dgdClips->DefaultRowHeight;
      COLORREF text = GetSysColor(COLOR_HIGHLIGHTTEXT);
      int inked = 0;
      for (int x = 3; x < 60; ++x)
        for (int y = 0; y < h; ++y) inked += test::PrintedPixel(picker->dgdClips->Handle(), x, y) == text;
      EXPECT_GT(inked, 10);
      ClickButton(picker->btnOK);
    });
    ClickButton(e.btnHistory);
    EXPECT_EQ(e.memText->Text(), "");
    EXPECT_FALSE(On(e.btnOK));
    EXPECT_EQ(GetFocus(), e.edtComment->Handle());
    ClickButton(e.btnCancel);
  }));
  EXPECT_EQ(clip.Text, "keep");
}

TEST_F(ClipEditorTest, PickerSelectionByKeyAndMouseAndEditedTextReachTheEditor) {
  *ClipHistory = {"first", "second\nline", "third"};
  TClipRecord clip{"c", "before"};
  ASSERT_TRUE(Edit(clip, [&](TfrmClipEditor& e) {
    WhenShown([&] {
      TfrmClipHistory* picker = OpenPicker();
      ASSERT_NE(picker, nullptr);
      // Later clipboard changes do not reach the open picker.
      ClipHistory->insert(ClipHistory->begin(), "newer");
      EXPECT_EQ(picker->HistoryCopy.size(), 3u);
      EXPECT_EQ(picker->dgdClips->RowCount(), 3);
      EXPECT_EQ(picker->memText->Text(), "first");
      HWND grid = picker->dgdClips->Handle();
      SendMessageA(grid, WM_KEYDOWN, VK_DOWN, 0);
      EXPECT_EQ(picker->memText->Text(), "second\r\nline");
      int h = picker->dgdClips->DefaultRowHeight;
      SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 2 * h + h / 2));
      SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(10, 2 * h + h / 2));
      EXPECT_EQ(picker->memText->Text(), "third");
      SendMessageA(grid, WM_KEYDOWN, VK_HOME, 0);
      EXPECT_EQ(picker->memText->Text(), "first");
      // The rows fill the grid without a part row.
      EXPECT_EQ(picker->dgdClips->ClientHeight() % h, 0);
      picker->memText->SetText("first, edited\r\nby hand");
      ClickButton(picker->btnOK);
    });
    ClickButton(e.btnHistory);
    EXPECT_EQ(e.memText->Text(), "first, edited\r\nby hand");
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(clip, (TClipRecord{"c", "first, edited\r\nby hand"}));
}

TEST_F(ClipEditorTest, ALongHistoryCanBeScrolledToTheLastEntryByMouse) {
  ClipHistory->clear();
  for (int i = 1; i <= 35; ++i) ClipHistory->push_back("entry " + std::to_string(i));
  TClipRecord clip{"", "x"};
  Edit(clip, [&](TfrmClipEditor& e) {
    WhenShown([&] {
      TfrmClipHistory* picker = OpenPicker();
      ASSERT_NE(picker, nullptr);
      HWND grid = picker->dgdClips->Handle();
      EXPECT_TRUE(GetWindowLongPtrW(grid, GWL_STYLE) & WS_VSCROLL) << "no vertical scroll bar";
      SendMessageA(grid, WM_VSCROLL, SB_BOTTOM, 0);
      EXPECT_EQ(picker->dgdClips->TopRow() + picker->dgdClips->VisibleRowCount(), 35);
      // The last row, clicked where it now shows.
      RECT last = picker->dgdClips->CellRect(0, 34);
      const int y = (last.top + last.bottom) / 2;
      SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
      SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
      EXPECT_EQ(picker->memText->Text(), "entry 35");
      test::SaveWindowBmp(picker->Handle(), "history-picker-scrolled");
      // The scroll bar takes its room from the column, not from the text's end.
      EXPECT_EQ(picker->dgdClips->ColWidth(0), picker->dgdClips->ClientWidth());
      ClickButton(picker->btnCancel);
    });
    ClickButton(e.btnHistory);
    ClickButton(e.btnCancel);
  });
}

TEST_F(ClipEditorTest, CancelledPickerLeavesTheMemo) {
  *ClipHistory = {"from history"};
  TClipRecord clip{"", "mine"};
  ASSERT_TRUE(Edit(clip, [&](TfrmClipEditor& e) {
    WhenShown([&] {
      TfrmClipHistory* picker = OpenPicker();
      ASSERT_NE(picker, nullptr);
      EXPECT_EQ(picker->memText->Text(), "from history");
      PostMessageA(picker->dgdClips->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    ClickButton(e.btnHistory);
    // The picker is gone once the click is done.
    EXPECT_EQ(FindWindowA(nullptr, "Clipboard History"), nullptr);
    EXPECT_EQ(e.memText->Text(), "mine");
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(clip.Text, "mine");
}

// For screenshots taken from outside (VIMO_VIEW_MS).
TEST_F(ClipEditorTest, DISABLED_View) {
  *ClipHistory = {"Dear Sir or Madam,\nthank you", "https://example.org/a/long/path", "42"};
  TClipRecord clip{"Greeting", "Dear Sir or Madam,\nthank you for your letter."};
  Edit(clip, [&](TfrmClipEditor& e) {
    test::HoldForViewing(&e);
    WhenShown([&] {
      TfrmClipHistory* picker = OpenPicker();
      if (picker) test::HoldForViewing(picker);
      if (picker) ClickButton(picker->btnCancel);
    });
    ClickButton(e.btnHistory);
    ClickButton(e.btnCancel);
  });
}

}  // namespace
}  // namespace vimo

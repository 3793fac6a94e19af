// The real message boxes and file dialogs of export and import, answered from a CBT
// hook on this thread when they activate, the way a user would answer them.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "ComponentTestSupport.h"
#include "model/win32/ExportImportUi.h"
#include "platform/Utf.h"
#include "platform/win32/Win32Desktop.h"

namespace vimo {
namespace {

using test::kWorldText;

struct TSeenDialog {
  std::string caption;
  std::string className;
  std::vector<std::string> texts;  // texts of its static controls
  bool hasYes = false, hasNo = false, hasOk = false;
};

// Answers the next dialog that activates on this thread.
class TDialogAnswerer {
 public:
  explicit TDialogAnswerer(std::function<void(HWND)> answer) {
    current_ = this;
    answer_ = std::move(answer);
    hook_ = SetWindowsHookExA(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
  }
  ~TDialogAnswerer() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  TDialogAnswerer(const TDialogAnswerer&) = delete;
  TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;

  std::vector<TSeenDialog> seen;

 private:
  // Texts are read in the wide form: what the box shows, whatever the code page.
  static std::string WideText(HWND h) {
    wchar_t text[512] = {};
    GetWindowTextW(h, text, 512);
    return Narrow(text);
  }
  static BOOL CALLBACK CollectText(HWND child, LPARAM lp) {
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
      std::string text = WideText(child);
      if (!text.empty()) reinterpret_cast<TSeenDialog*>(lp)->texts.push_back(text);
    }
    return TRUE;
  }
  static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
    HWND hwnd = reinterpret_cast<HWND>(wp);
    char cls[64] = {};
    // Only dialogs, each once: activation also reaches other windows as a box closes.
    if (code == HCBT_ACTIVATE && current_ && GetClassNameA(hwnd, cls, sizeof cls) &&
        lstrcmpA(cls, "#32770") == 0 && current_->answered_.insert(hwnd).second) {
      TSeenDialog d;
      d.caption = WideText(hwnd);
      d.className = cls;
      EnumChildWindows(hwnd, &CollectText, reinterpret_cast<LPARAM>(&d));
      d.hasYes = GetDlgItem(hwnd, IDYES) != nullptr;
      d.hasNo = GetDlgItem(hwnd, IDNO) != nullptr;
      d.hasOk = GetDlgItem(hwnd, IDOK) != nullptr;
      current_->seen.push_back(d);
      current_->answer_(hwnd);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  static inline TDialogAnswerer* current_ = nullptr;
  std::function<void(HWND)> answer_;
  std::set<HWND> answered_;
  HHOOK hook_ = nullptr;
};

std::function<void(HWND)> AnswerWith(int id) {
  return [id](HWND hwnd) { PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
}

// Types a file name into the file dialog and presses its OK button.
std::function<void(HWND)> ChooseFile(const std::string& name) {
  return [name](HWND hwnd) {
    // The file-name box is cmb13 in explorer-style dialogs and edt1 in the old style.
    SetDlgItemTextW(hwnd, 0x47C, Widen(name).c_str());
    SetDlgItemTextW(hwnd, 0x480, Widen(name).c_str());
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

bool HasText(const TSeenDialog& d, const std::string& text) {
  for (const auto& t : d.texts)
    if (t == text) return true;
  return false;
}

TEST(Win32ExportImportUi, MessagesUseTheApplicationTitleAndTheRightButtons) {
  bool reloaded = false;
  TWin32ExportImportUi ui(nullptr, "Tramlex Vimo", [&] { reloaded = true; });
  {
    TDialogAnswerer answer(AnswerWith(IDOK));
    ui.ShowMessage(msgExported, TMessageIcon::Information);
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].caption, "Tramlex Vimo");
    EXPECT_TRUE(HasText(answer.seen[0], msgExported));
    EXPECT_TRUE(answer.seen[0].hasOk);
    EXPECT_FALSE(answer.seen[0].hasYes);
  }
  {
    TDialogAnswerer answer(AnswerWith(IDYES));
    EXPECT_TRUE(ui.AskYesNo(msgConfirmImport, TMessageIcon::Warning));
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_TRUE(answer.seen[0].hasYes && answer.seen[0].hasNo);
  }
  {
    TDialogAnswerer answer(AnswerWith(IDNO));
    EXPECT_FALSE(ui.AskYesNo(msgConfirmImport, TMessageIcon::Warning));
  }
  ui.SettingsReloaded();
  EXPECT_TRUE(reloaded);
  EXPECT_EQ(TWin32ExportImportUi::IconFlags(TMessageIcon::Information), static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(TWin32ExportImportUi::IconFlags(TMessageIcon::Warning), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(TWin32ExportImportUi::IconFlags(TMessageIcon::Error), static_cast<UINT>(MB_ICONERROR));
}

TEST(Win32ExportImportUi, FileDialogsAddTheDefaultExtensionAndCanBeCancelled) {
  auto dir = std::filesystem::temp_directory_path() / "vimo-dialogs";
  std::filesystem::create_directories(dir);
  std::string base = (dir / "settings").string();
  std::filesystem::remove(base + ".tvf");
  TWin32ExportImportUi ui(nullptr, "Tramlex Vimo", nullptr);

  std::string chosen;
  {
    TDialogAnswerer answer(ChooseFile(base));
    ASSERT_TRUE(ui.ExecuteExportDialog(chosen));
  }
  EXPECT_EQ(std::filesystem::path(chosen), std::filesystem::path(base + ".tvf"));

  std::ofstream(base + ".tvf", std::ios::binary) << "TVDF01\r\n";
  {
    TDialogAnswerer answer(ChooseFile(base + ".tvf"));
    ASSERT_TRUE(ui.ExecuteImportDialog(chosen));
  }
  EXPECT_EQ(std::filesystem::path(chosen), std::filesystem::path(base + ".tvf"));
  {
    TDialogAnswerer answer(AnswerWith(IDCANCEL));
    EXPECT_FALSE(ui.ExecuteImportDialog(chosen));
    EXPECT_FALSE(ui.ExecuteExportDialog(chosen));
  }
  std::filesystem::remove_all(dir);
}

// What the file dialog shows when it opens: the name box and the folder; then cancelled.
struct TShownFile {
  std::string name, folder;
};
// Read once the dialog has handled what it posted itself while opening: a timer of no
// delay fires only when its queue is empty.
TShownFile* shownNow = nullptr;
void CALLBACK ReadShown(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  KillTimer(hwnd, id);
  wchar_t text[MAX_PATH] = {};
  if (!GetDlgItemTextW(hwnd, 0x47C, text, MAX_PATH)) GetDlgItemTextW(hwnd, 0x480, text, MAX_PATH);
  shownNow->name = Narrow(text);
  wchar_t folder[MAX_PATH] = {};
  SendMessageW(hwnd, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
  shownNow->folder = Narrow(folder);
  PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}
std::function<void(HWND)> ReadAndCancel(TShownFile& shown) {
  return [&shown](HWND hwnd) {
    shownNow = &shown;
    SetTimer(hwnd, 1, 0, &ReadShown);
  };
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  while (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

TEST(Win32ExportImportUi, ExportSuggestsANameInDocumentsFirstAndThenInTheFolderLastUsed) {
  TWin32ExportImportUi::LastFolder.clear();
  TWin32ExportImportUi ui(nullptr, "Tramlex Vimo", nullptr);
  wchar_t documents[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)));
  std::string chosen;
  TShownFile shown;
  {
    TDialogAnswerer answer(ReadAndCancel(shown));
    EXPECT_FALSE(ui.ExecuteExportDialog(chosen));
  }
  EXPECT_EQ(shown.name, "Vimo settings.tvf");
  EXPECT_EQ(Lower(shown.folder), Lower(Narrow(documents)));

  auto dir = std::filesystem::temp_directory_path() / "vimo-last-folder";
  std::filesystem::create_directories(dir);
  {
    TDialogAnswerer answer(ChooseFile((dir / "mine").string()));
    ASSERT_TRUE(ui.ExecuteExportDialog(chosen));
  }
  {
    TDialogAnswerer answer(ReadAndCancel(shown));
    EXPECT_FALSE(ui.ExecuteExportDialog(chosen));
  }
  EXPECT_EQ(shown.name, "Vimo settings.tvf");
  EXPECT_EQ(Lower(shown.folder), Lower(dir.string())) << "the folder last used";
  std::filesystem::remove_all(dir);
}

TEST(Win32ExportImportUi, MessagesAndFileNamesOfEveryScript) {
  {
    TDialogAnswerer answer(AnswerWith(IDOK));
    Win32MessageBoxes().Show(nullptr, kWorldText + "\r" + kWorldText, "Vimo " + kWorldText, MB_OK);
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].caption, "Vimo " + kWorldText);
    EXPECT_TRUE(HasText(answer.seen[0], kWorldText + "\r" + kWorldText) || HasText(answer.seen[0], kWorldText + "\n" + kWorldText))
        << (answer.seen[0].texts.empty() ? std::string("no text") : answer.seen[0].texts[0]);
  }
  TWin32ExportImportUi ui(nullptr, kWorldText, nullptr);
  {
    TDialogAnswerer answer(AnswerWith(IDOK));
    ui.ShowMessage(kWorldText, TMessageIcon::Information);
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].caption, kWorldText);
    EXPECT_TRUE(HasText(answer.seen[0], kWorldText));
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string dir = Narrow(temp) + "vimo-\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0";  // Cyrillic
  CreateDirectoryW(Widen(dir).c_str(), nullptr);
  const std::string base = dir + "\\" + kWorldText;
  std::string chosen;
  {
    TDialogAnswerer answer(ChooseFile(base));
    ASSERT_TRUE(ui.ExecuteExportDialog(chosen));
  }
  EXPECT_EQ(chosen, base + ".tvf");
  RemoveDirectoryW(Widen(dir).c_str());
}

}  // namespace
}  // namespace vimo

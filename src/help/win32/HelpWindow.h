#pragma once
// The help window: the list of topics on the left, the chosen topic's text on the right
// in a read-only rich edit control, with links between topics. One at a time; closing
// it frees it.
#include <windows.h>

#include <string>

#include "help/HelpPage.h"
#include "ui/Controls.h"

namespace vimo {

inline constexpr const char* kHelpWindowTitle = "Tramlex Vimo Help";

class THelpWindow {
 public:
  THelpWindow(const THelpWindow&) = delete;
  THelpWindow& operator=(const THelpWindow&) = delete;

  // Opens the window, or brings the open one to the front, on the named topic. An
  // empty or unknown name keeps what an open window shows; a new one shows the contents.
  static THelpWindow& Show(const std::string& topic = {});
  // The open window, or null.
  static THelpWindow* Current();

  HWND Handle() const { return handle_; }
  HWND TopicList() const { return list_; }
  HWND TextPane() const { return text_; }
  const std::string& TopicName() const;
  const THelpPage& Page() const { return page_; }
  void ShowTopic(const std::string& name);

 private:
  THelpWindow();
  ~THelpWindow();
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PaneProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Tab, Enter and Escape in the list or the text; true when the key was used.
  bool PaneKey(HWND pane, WPARAM key);
  void ShowTopicAt(int index);
  void FillText();
  void FollowLink(int index);
  void Layout();

  HWND handle_ = nullptr;
  HWND list_ = nullptr;
  HWND text_ = nullptr;
  HWND lastFocus_ = nullptr;
  TGdiObject listFont_;
  int topic_ = -1;
  int pageSerial_ = 0;  // tells a link click posted for an earlier page from one for this page
  THelpPage page_;
};

}  // namespace vimo

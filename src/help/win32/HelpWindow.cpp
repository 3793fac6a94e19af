#include "help/win32/HelpWindow.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <stdexcept>

#include "help/HelpTopics.h"
#include "help/win32/HelpSource.h"
#include "platform/Contrast.h"
#include "platform/Utf.h"
#include "platform/win32/OnFirstUse.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace vimo {
namespace {

constexpr const wchar_t* kWindowClass = L"TVimoHelpWindow";
constexpr UINT kListId = 1;
constexpr UINT kTextId = 2;
constexpr UINT kWmFollowLink = WM_APP + 1;  // wParam: link index, lParam: page serial

// Sizes at 96 pixels per inch.
constexpr int kWidth = 700;
constexpr int kHeight = 500;
constexpr int kMinWidth = 420;
constexpr int kMinHeight = 300;
constexpr int kListWidth = 200;
constexpr int kGap = 6;
constexpr int kTextMargin = 10;

THelpWindow* current = nullptr;

int Scaled(int pixels) { return MulDiv(pixels, TForm::PixelsPerInch(), 96); }

// The rich edit control, loaded on the first use only: the program does not need it
// before someone asks for help.
const wchar_t* RichEditClass() {
  static const wchar_t* cls = []() -> const wchar_t* {
    if (LoadLibraryW(L"msftedit.dll")) return MSFTEDIT_CLASS;
    if (LoadLibraryW(L"riched20.dll")) return RICHEDIT_CLASSW;
    return nullptr;
  }();
  if (!cls) throw std::runtime_error("The help cannot be shown: the rich edit control is missing.");
  return cls;
}

void RegisterWindowClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register the help window");
  registered = true;
}

void Select(HWND text, int start, int end) {
  CHARRANGE range{start, end};
  SendMessageW(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

CHARRANGE Selection(HWND text) {
  CHARRANGE range{};
  SendMessageW(text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void SetCharFormat(HWND text, CHARFORMAT2W& format, WPARAM scope = SCF_SELECTION) {
  format.cbSize = sizeof format;
  SendMessageW(text, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&format));
}

void SetParaFormat(HWND text, PARAFORMAT2& format) {
  format.cbSize = sizeof format;
  SendMessageW(text, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

// Twips (1/20 point) of space before and after a paragraph of each style, and its font.
struct TParagraphLook {
  int before, after, points;
  bool bold;
};

TParagraphLook LookOf(THelpParagraphStyle style) {
  switch (style) {
    case THelpParagraphStyle::Title: return {0, 120, 14, true};
    case THelpParagraphStyle::Heading: return {160, 40, 11, true};
    case THelpParagraphStyle::Control: return {120, 20, 9, true};
    case THelpParagraphStyle::Bullet: return {0, 40, 9, false};
    case THelpParagraphStyle::Body: break;
  }
  return {0, 80, 9, false};
}

}  // namespace

THelpWindow* THelpWindow::Current() { return current; }

THelpWindow& THelpWindow::Show(const std::string& topic) {
  THelpWindow* window = current;
  if (!window) {
    window = new THelpWindow();
    current = window;
  }
  if (!topic.empty() && BuiltInHelp().FindTopic(topic)) window->ShowTopic(topic);
  HWND h = window->handle_;
  // A modal dialog opened before the help disabled every window of the program; help
  // that it asks for must still be usable beside it.
  EnableWindow(h, TRUE);
  ShowWindow(h, IsIconic(h) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(h);
  if (!window->lastFocus_) {
    window->lastFocus_ = window->list_;
    SetFocus(window->list_);
  }
  return *window;
}

THelpWindow::THelpWindow() {
  const wchar_t* richEdit = RichEditClass();
  const THelpBook& book = BuiltInHelp();
  RegisterWindowClass();
  HINSTANCE instance = GetModuleHandleW(nullptr);

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int width = std::min(Scaled(kWidth), static_cast<int>(work.right - work.left));
  int height = std::min(Scaled(kHeight), static_cast<int>(work.bottom - work.top));
  int left = work.left + (work.right - work.left - width) / 2;
  int top = work.top + (work.bottom - work.top - height) / 2;
  // Its own taskbar button: it is a window the user goes back to, not a pop-up.
  handle_ = CreateWindowExW(WS_EX_APPWINDOW, kWindowClass, Widen(kHelpWindowTitle).c_str(),
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, width, height, nullptr, nullptr,
                            instance, nullptr);
  if (!handle_) throw std::runtime_error("Cannot create the help window");
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THelpWindow::WndProc));

  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 0,
                          0, handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
  text_ = CreateWindowExW(WS_EX_CLIENTEDGE, richEdit, L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0,
                          handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), instance, nullptr);
  if (!list_ || !text_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);  // not deleted by its own destruction
    DestroyWindow(handle_);
    throw std::runtime_error("Cannot create the help window");
  }
  listFont_ = TGdiObject(CreateFontW(-MulDiv(8, TForm::PixelsPerInch(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), FALSE);
  for (const auto& topic : book.Topics())
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(PlainText(topic.Title)).c_str()));
  SendMessageW(text_, EM_SETEVENTMASK, 0, ENM_LINK);
  onfirstuse::SetWindowSubclass(list_, &THelpWindow::PaneProc, 0, reinterpret_cast<DWORD_PTR>(this));
  onfirstuse::SetWindowSubclass(text_, &THelpWindow::PaneProc, 0, reinterpret_cast<DWORD_PTR>(this));
  Layout();
  ShowTopicAt(0);
}

THelpWindow::~THelpWindow() {
  if (current == this) current = nullptr;
}

const std::string& THelpWindow::TopicName() const {
  static const std::string none;
  const auto& topics = BuiltInHelp().Topics();
  return topic_ >= 0 && topic_ < static_cast<int>(topics.size()) ? topics[static_cast<std::size_t>(topic_)].Name : none;
}

void THelpWindow::ShowTopic(const std::string& name) {
  int index = BuiltInHelp().TopicIndex(name);
  ShowTopicAt(index >= 0 ? index : BuiltInHelp().TopicIndex(kHelpContents));
}

void THelpWindow::ShowTopicAt(int index) {
  const auto& topics = BuiltInHelp().Topics();
  if (index < 0 || index >= static_cast<int>(topics.size())) return;
  topic_ = index;
  if (SendMessageW(list_, LB_GETCURSEL, 0, 0) != index) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  page_ = RenderTopic(BuiltInHelp(), topics[static_cast<std::size_t>(index)]);
  ++pageSerial_;
  FillText();
}

void THelpWindow::FillText() {
  SendMessageW(text_, WM_SETREDRAW, FALSE, 0);
  std::wstring text = Widen(page_.Text);
  SendMessageW(text_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));

  CHARFORMAT2W base{};
  base.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR | CFM_UNDERLINE | CFM_LINK | CFM_CHARSET;
  base.yHeight = 9 * 20;
  base.bCharSet = DEFAULT_CHARSET;
  base.crTextColor = GetSysColor(COLOR_WINDOWTEXT);
  lstrcpynW(base.szFaceName, L"Tahoma", LF_FACESIZE);
  SetCharFormat(text_, base, SCF_ALL);

  for (const auto& paragraph : page_.Paragraphs) {
    TParagraphLook look = LookOf(paragraph.Style);
    Select(text_, paragraph.Start, paragraph.Start + paragraph.Length);
    PARAFORMAT2 para{};
    para.dwMask = PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_STARTINDENT | PFM_OFFSET | PFM_TABSTOPS;
    para.dySpaceBefore = look.before;
    para.dySpaceAfter = look.after;
    if (paragraph.Style == THelpParagraphStyle::Bullet) {
      // The bullet, then a tab to where the text and its following lines start.
      para.dxStartIndent = 120;
      para.dxOffset = 220;
      para.cTabCount = 1;
      para.rgxTabs[0] = 340;
    }
    SetParaFormat(text_, para);
    if (look.bold || look.points != 9) {
      CHARFORMAT2W format{};
      format.dwMask = CFM_BOLD | CFM_SIZE;
      format.dwEffects = look.bold ? CFE_BOLD : 0;
      format.yHeight = look.points * 20;
      SetCharFormat(text_, format);
    }
  }
  for (const auto& run : page_.Runs) {
    Select(text_, run.Start, run.Start + run.Length);
    CHARFORMAT2W format{};
    if (run.Bold) {
      format.dwMask |= CFM_BOLD;
      format.dwEffects |= CFE_BOLD;
    }
    if (run.Link) {
      format.dwMask |= CFM_LINK | CFM_UNDERLINE | CFM_COLOR;
      format.dwEffects |= CFE_LINK | CFE_UNDERLINE;
      // Links in the text in the system's link colour (newer rich edit controls use their own).
      format.crTextColor = ReadableColor(GetSysColor(COLOR_WINDOW), {GetSysColor(COLOR_HOTLIGHT),
                                                                      GetSysColor(COLOR_HIGHLIGHT),
                                                                      GetSysColor(COLOR_WINDOWTEXT)});
    }
    SetCharFormat(text_, format);
  }
  Select(text_, 0, 0);
  SendMessageW(text_, WM_SETREDRAW, TRUE, 0);
  SendMessageW(text_, WM_VSCROLL, SB_TOP, 0);
  InvalidateRect(text_, nullptr, TRUE);
}

void THelpWindow::FollowLink(int index) {
  if (index < 0 || index >= static_cast<int>(page_.Links.size())) return;
  std::string target = page_.Links[static_cast<std::size_t>(index)].Target;
  ShowTopic(target);
}

void THelpWindow::Layout() {
  RECT client{};
  GetClientRect(handle_, &client);
  int gap = Scaled(kGap);
  int listWidth = std::min(Scaled(kListWidth), static_cast<int>(client.right) / 2);
  int height = std::max(0, static_cast<int>(client.bottom) - 2 * gap);
  MoveWindow(list_, gap, gap, listWidth, height, TRUE);
  int textLeft = gap + listWidth + gap;
  MoveWindow(text_, textLeft, gap, std::max(0, static_cast<int>(client.right) - textLeft - gap), height, TRUE);
  // Room between the text and the control's edge; the control forgets it when resized.
  RECT inner{};
  GetClientRect(text_, &inner);
  int margin = Scaled(kTextMargin);
  InflateRect(&inner, -margin, -margin / 2);
  SendMessageW(text_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&inner));
}

bool THelpWindow::PaneKey(HWND pane, WPARAM key) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (key) {
    case VK_TAB:
      if (pane == list_) {
        SetFocus(text_);
        return true;
      } else {
        CHARRANGE sel = Selection(text_);
        int next = page_.NextLink(sel.cpMin, sel.cpMax, !shift);
        if (next < 0) {
          SetFocus(list_);
        } else {
          const THelpLink& link = page_.Links[static_cast<std::size_t>(next)];
          Select(text_, link.Start, link.Start + link.Length);
          SendMessageW(text_, EM_SCROLLCARET, 0, 0);
        }
      }
      return true;
    case VK_RETURN:
      if (pane == list_) {
        SetFocus(text_);
      } else if (const THelpLink* link = page_.LinkAt(Selection(text_).cpMin)) {
        FollowLink(static_cast<int>(link - page_.Links.data()));
      }
      return true;
    case VK_ESCAPE:
      PostMessageW(handle_, WM_CLOSE, 0, 0);
      return true;
  }
  return false;
}

LRESULT CALLBACK THelpWindow::PaneProc(HWND pane, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<THelpWindow*>(data);
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] {
    switch (msg) {
      case WM_KEYDOWN:
        handled = self->PaneKey(pane, wParam);
        break;
      case WM_CHAR:
        // Their characters would only beep.
        handled = wParam == '\t' || wParam == '\r' || wParam == 0x1B;
        break;
      case WM_SETFOCUS:
        self->lastFocus_ = pane;
        break;
      case WM_NCDESTROY:
        onfirstuse::RemoveWindowSubclass(pane, &THelpWindow::PaneProc, 0);
        break;
    }
  });
  return handled ? result : onfirstuse::DefSubclassProc(pane, msg, wParam, lParam);
}

LRESULT THelpWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {Scaled(kMinWidth), Scaled(kMinHeight)};
      return 0;
    }
    case WM_SETFOCUS:
      SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : list_);
      return 0;
    case WM_ACTIVATE:
      // Back to the part that had the focus, as a dialog does.
      if (LOWORD(wParam) != WA_INACTIVE && lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE) {
        int index = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
        if (index != topic_) ShowTopicAt(index);
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == text_ && header->code == EN_LINK) {
        auto* link = reinterpret_cast<ENLINK*>(lParam);
        // Followed after the click is done: the control is still handling it now.
        if (link->msg == WM_LBUTTONUP)
          if (const THelpLink* target = page_.LinkAt(link->chrg.cpMin))
            PostMessageW(handle_, kWmFollowLink, static_cast<WPARAM>(target - page_.Links.data()), pageSerial_);
        return 0;
      }
      break;
    }
    case kWmFollowLink:
      if (static_cast<int>(lParam) == pageSerial_) FollowLink(static_cast<int>(wParam));
      return 0;
    case WM_HELP:
      ShowTopic(kHelpUsingHelp);
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(handle_);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
      LRESULT r = DefWindowProcW(handle_, msg, wParam, lParam);
      delete this;
      return r;
    }
  }
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

LRESULT CALLBACK THelpWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<THelpWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  bool done = false;
  Guarded([&] {
    result = self->HandleMessage(msg, wParam, lParam);
    done = true;
  });
  return done ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace vimo

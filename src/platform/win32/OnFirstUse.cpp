#include "platform/win32/OnFirstUse.h"

namespace vimo::onfirstuse {
namespace {

constexpr const wchar_t* kControls = L"comctl32.dll";
constexpr const wchar_t* kDialogs = L"comdlg32.dll";

// Looked up once per function; the library stays loaded for the process's life. The
// process's manifest picks the themed version of the common controls here as it would
// for a static import.
template <typename F>
F Find(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  if (!module) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

#define VIMO_ON_FIRST_USE(library, name) \
  static const auto fn = Find<decltype(&::name)>(library, #name)

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
  VIMO_ON_FIRST_USE(kControls, InitCommonControlsEx);
  return fn ? fn(icc) : FALSE;
}

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  VIMO_ON_FIRST_USE(kControls, ImageList_Create);
  return fn ? fn(cx, cy, flags, initial, grow) : nullptr;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  VIMO_ON_FIRST_USE(kControls, ImageList_Destroy);
  return fn ? fn(list) : FALSE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  VIMO_ON_FIRST_USE(kControls, ImageList_Add);
  return fn ? fn(list, image, mask) : -1;
}

int ImageList_GetImageCount(HIMAGELIST list) {
  VIMO_ON_FIRST_USE(kControls, ImageList_GetImageCount);
  return fn ? fn(list) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  VIMO_ON_FIRST_USE(kControls, ImageList_GetIconSize);
  return fn ? fn(list, cx, cy) : FALSE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  VIMO_ON_FIRST_USE(kControls, ImageList_Draw);
  return fn ? fn(list, index, dc, x, y, style) : FALSE;
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT style) {
  VIMO_ON_FIRST_USE(kControls, ImageList_DrawEx);
  return fn ? fn(list, index, dc, x, y, dx, dy, background, foreground, style) : FALSE;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  VIMO_ON_FIRST_USE(kControls, SetWindowSubclass);
  return fn ? fn(window, proc, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
  VIMO_ON_FIRST_USE(kControls, RemoveWindowSubclass);
  return fn ? fn(window, proc, id) : FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  VIMO_ON_FIRST_USE(kControls, DefSubclassProc);
  return fn ? fn(window, msg, wParam, lParam) : DefWindowProcW(window, msg, wParam, lParam);
}

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
  VIMO_ON_FIRST_USE(kDialogs, GetOpenFileNameW);
  return fn ? fn(ofn) : FALSE;
}

BOOL GetSaveFileNameW(OPENFILENAMEW* ofn) {
  VIMO_ON_FIRST_USE(kDialogs, GetSaveFileNameW);
  return fn ? fn(ofn) : FALSE;
}

#undef VIMO_ON_FIRST_USE

}  // namespace vimo::onfirstuse

#pragma once
// The shell (shell32), the system's error texts and the multimedia command string
// interface: what running an action needs to open programs, folders and dialogs.
#include <cstdint>
#include <string>

namespace vimo {

// The fields of SHELLEXECUTEINFO that the program fills; every other field is zero.
struct TShellExecuteInfo {
  std::uint32_t fMask = 0;
  void* hwnd = nullptr;
  std::string verb;
  std::string file;
  void* idList = nullptr;
  std::string className;
  int nShow = 0;
};

// The fields of BROWSEINFO that the program fills. The real dialog opens on
// `initialPath` (BFFM_SETSELECTIONW from its initialisation callback).
struct TBrowseInfo {
  void* owner = nullptr;
  std::string title;
  std::uint32_t flags = 0;
  std::string initialPath;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteW with no directory; true when the shell reports success (> 32).
  virtual bool Execute(void* owner, const std::string& verb, const std::string& file,
                       const std::string& parameters, int showCommand) = 0;
  virtual bool ExecuteEx(const TShellExecuteInfo& info) = 0;
  // GetLastError as the last ExecuteEx left it, read at once after the call.
  virtual std::uint32_t LastExecuteError() = 0;
  // FormatMessageW's text for an error code.
  virtual std::string ErrorText(std::uint32_t code) = 0;
  // SHGetSpecialFolderLocation; null when the folder id cannot be resolved.
  virtual void* SpecialFolderLocation(void* owner, int folderId) = 0;
  // Frees an item-id list with the allocator that SHGetMalloc returns.
  virtual void FreeWithShellAllocator(void* idList) = 0;
  // The dialogs shell32 exports by ordinal only: 61 Run (owner and five zeros),
  // 90 Find Files and 91 Find Computer (two nulls; the owner is not passed).
  virtual void OrdinalDialog(int ordinal, void* owner) = 0;
  // SHBrowseForFolderW; the chosen item-id list or null.
  virtual void* BrowseForFolder(const TBrowseInfo& info) = 0;
  // SHGetPathFromIDListW into a MAX_PATH buffer; false (path untouched) when the
  // list names no file-system folder.
  virtual bool PathFromIdList(void* idList, std::string& path) = 0;
  // FormatMessageW's text for GetLastError, read before anything else can change it.
  virtual std::string LastErrorText() = 0;
  // mciSendStringW without a return buffer or callback window; the result is ignored.
  virtual void MciSendString(const std::string& command) = 0;
};

}  // namespace vimo

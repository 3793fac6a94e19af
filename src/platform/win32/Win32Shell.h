#pragma once
#include <windows.h>

#include "platform/Shell.h"

namespace vimo {

class Win32Shell final : public Shell {
 public:
  bool Execute(void* owner, const std::string& verb, const std::string& file, const std::string& parameters,
               int showCommand) override;
  bool ExecuteEx(const TShellExecuteInfo& info) override;
  void* SpecialFolderLocation(void* owner, int folderId) override;
  void FreeWithShellAllocator(void* idList) override;
  void OrdinalDialog(int ordinal, void* owner) override;
  void* BrowseForFolder(const TBrowseInfo& info) override;
  bool PathFromIdList(void* idList, std::string& path) override;
  std::string LastErrorText() override;
  std::uint32_t LastExecuteError() override { return lastExecuteError_; }
  std::string ErrorText(std::uint32_t code) override;
  void MciSendString(const std::string& command) override;

 private:
  std::uint32_t lastExecuteError_ = 0;
};

// The shell32 function exported under an ordinal only, or null.
FARPROC ShellOrdinalProc(int ordinal);

}  // namespace vimo

#pragma once
// Stands in for the settings dialog: answers the file dialogs and the question as told,
// and records every message and reload in order.
#include <string>
#include <vector>

#include "model/ExportImport.h"

namespace vimo::test {

class FakeExportImportUi final : public TExportImportUi {
 public:
  std::string fileName;      // what the file dialogs return
  bool cancelDialog = false; // the user cancels the file dialog
  bool answerYes = true;

  std::vector<std::string> events;  // "dialog", "ask:<icon>:<text>", "msg:<icon>:<text>", "reload"

  bool ExecuteExportDialog(std::string& name) override { return Dialog(name); }
  bool ExecuteImportDialog(std::string& name) override { return Dialog(name); }
  void ShowMessage(const std::string& text, TMessageIcon icon) override {
    events.push_back("msg:" + IconName(icon) + ":" + text);
  }
  bool AskYesNo(const std::string& text, TMessageIcon icon) override {
    events.push_back("ask:" + IconName(icon) + ":" + text);
    return answerYes;
  }
  void SettingsReloaded() override { events.push_back("reload"); }

  static std::string IconName(TMessageIcon icon) {
    switch (icon) {
      case TMessageIcon::Information: return "info";
      case TMessageIcon::Warning: return "warning";
      case TMessageIcon::Error: return "error";
    }
    return "?";
  }

 private:
  bool Dialog(std::string& name) {
    events.push_back("dialog");
    if (cancelDialog) return false;
    name = fileName;
    return true;
  }
};

}  // namespace vimo::test

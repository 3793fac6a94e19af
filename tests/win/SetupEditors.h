#pragma once
// Each editor the settings dialog opens, shown modally in turn; the check runs while it
// is up and must end it.
#include <functional>

#include "EditorSupport.h"
#include "clips/win32/ClipEdit.h"
#include "settings/win32/ActEdit.h"
#include "time/win32/WorldTimeEdit.h"

namespace vimo::test {

inline void ShowEachEditorOfTheDialog(const std::function<void(TForm&, const char*)>& whileShown) {
  auto show = [&](TForm& form, const char* what) {
    WhenShown([&form, what, &whileShown] { whileShown(form, what); });
    form.ShowModal();
  };
  {
    TfrmActionEditor editor;
    show(editor, "action editor");
  }
  {
    TfrmClipEditor editor;
    show(editor, "clip editor");
  }
  {
    TWorldTime item{"Place", 60};
    TfrmWorldTimeEditor editor(item);
    show(editor, "world time item editor");
  }
  {
    TfrmClipHistory picker;
    show(picker, "history picker");
  }
}

}  // namespace vimo::test

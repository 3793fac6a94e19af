#pragma once
// Installs a platform (fake by default) and a freshly initialised model for each test.
#include <gtest/gtest.h>

#include "FakeAnsiCodePage.h"
#include "FakeFiles.h"
#include "FakeRegistry.h"
#include "FakeSystem.h"
#include "model/Model.h"
#include "platform/Platform.h"

namespace vimo::test {

class ModelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& p = Platform();
    saved_ = p;
    p.registry = &registry;
    p.system = &system;
    p.keyboard = &keyboard;
    p.files = &files;
    p.ansi = &ansi;
  }
  void TearDown() override {
    FinalizeModel();
    Platform() = saved_;
  }

  // HKCU\SOFTWARE\Tramlex\<path>, created when asked.
  std::unique_ptr<RegKey> Key(const std::string& path, bool create = false) {
    auto base = registry.CurrentUser();
    std::string full = "SOFTWARE\\Tramlex\\" + path;
    return create ? base->Create(full) : base->Open(full);
  }
  void Put(const std::string& path, const std::string& name, const std::string& text) {
    ASSERT_TRUE(Key(path, true)->Set(name, RegValue::String(text)));
  }
  std::string Get(const std::string& path, const std::string& name) {
    auto k = Key(path);
    if (!k) return "<no key>";
    auto v = k->Query(name);
    return v ? v->Text() : "<no value>";
  }

  FakeRegistry registry;
  FakeSystemInfo system;
  FakeKeyboardState keyboard;
  FakeFileSystem files;
  FakeAnsiCodePage ansi;

 private:
  PlatformServices saved_;
};

}  // namespace vimo::test

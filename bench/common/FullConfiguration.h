#pragma once
// A full configuration for the settings benchmarks: 50 history entries of 1 KB,
// 100 clips and 100 hot keys, on top of the defaults.
#include <string>

#include "model/ActionKinds.h"
#include "model/Model.h"

namespace vimo::bench {

inline void FillFullConfiguration() {
  ClipHistory->clear();
  for (int i = 0; i < 50; ++i) ClipHistory->push_back(std::string(1024, static_cast<char>('a' + i % 26)));
  ClipList->Clear();
  for (int i = 0; i < 100; ++i)
    ClipList->Add(TClipRecord{"Clip " + std::to_string(i), "Text of clip " + std::to_string(i) + "\r\nline two"});
  HotKeyList->Clear();
  for (int i = 0; i < 100; ++i)
    HotKeyList->Add(TActionRecord{"Key " + std::to_string(i), akApplication, 0, "C:\\Windows\\notepad.exe",
                                  "file" + std::to_string(i) + ".txt", 0, 0x4000 + 0x70 + i % 12, 0});
}

}  // namespace vimo::bench

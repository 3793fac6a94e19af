#pragma once
// The registry suites run against Windows' registry and the in-memory fake alike.
#include <memory>

#include "ComponentTestSupport.h"
#include "FakeRegistry.h"
#include "contract/RegistryParam.h"
#include "platform/win32/Win32Registry.h"

namespace vimo::test {

inline const RegistryParam kReal{"real", [] { return std::make_unique<Win32Registry>(); }, RunningUnderWine()};
inline const RegistryParam kFake{"fake", [] { return std::make_unique<FakeRegistry>(); }};

}  // namespace vimo::test

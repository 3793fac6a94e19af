#include "FakeFiles.h"
#include "contract/FileSystemContract.h"

namespace vimo::test {

INSTANTIATE_TEST_SUITE_P(Fake, FileSystemContract,
                         ::testing::Values(FileSystemParam{
                             "fake", [] { return std::make_unique<FakeFileSystem>(); },
                             [](FileSystem& files, const std::string& name) {
                               std::string folder = "C:\\Temp\\" + name;
                               static_cast<FakeFileSystem&>(files).AddFolder(folder);
                               return folder;
                             },
                             [](const std::string&) {}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace vimo::test

#include "ModuleLibrary.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "../platform/GdiTestSupport.h"

namespace {

// The scratch folder is the working folder, as a host root is, while this lives.
class InFolder {
 public:
  explicit InFolder(const std::string &folder) {
    char path[4096];
    previous = ::getcwd(path, sizeof path) != nullptr ? path : ".";
    entered = ::chdir(folder.c_str()) == 0;
  }
  ~InFolder() { EXPECT_EQ(::chdir(previous.c_str()), 0); }
  bool entered = false;

 private:
  std::string previous;
};

}  // namespace

TEST(ModuleLibrary, AModuleFileThatDoesNotLoadIsWhatTheErrorNames) {
  gditest::ScratchFolder root;
  ASSERT_EQ(::mkdir(root.file("Modules").c_str(), 0755), 0);
  std::ofstream(root.file("Modules/libunloadable.so")) << "not a shared library";
  InFolder in(root.path);
  ASSERT_TRUE(in.entered);
  std::string error;
  EXPECT_EQ(host::ModuleLibrary::load("unloadable", error), nullptr);
  EXPECT_NE(error.find("Modules/libunloadable.so"), std::string::npos) << error;
}

TEST(ModuleLibrary, AModuleFoundNowhereSaysItCannotBeOpened) {
  gditest::ScratchFolder root;
  InFolder in(root.path);
  ASSERT_TRUE(in.entered);
  std::string error;
  EXPECT_EQ(host::ModuleLibrary::load("nowhere", error), nullptr);
  EXPECT_NE(error.find("libnowhere.so"), std::string::npos) << error;
}

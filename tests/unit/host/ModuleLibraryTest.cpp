#include "ModuleLibrary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../module/WorkingFolder.h"

TEST(ModuleLibrary, AModuleFileThatDoesNotLoadIsWhatTheErrorNames) {
  WorkingFolder root;
  const std::string file = "Modules/" + host::DynamicLibrary::fileName("unloadable");
  ASSERT_TRUE(std::filesystem::create_directory("Modules"));
  std::ofstream(file) << "not a shared library";
  std::string error;
  EXPECT_EQ(host::ModuleLibrary::load("unloadable", error), nullptr);
  EXPECT_NE(error.find(file), std::string::npos) << error;
}

TEST(ModuleLibrary, AModuleFoundNowhereSaysItCannotBeOpened) {
  WorkingFolder root;
  std::string error;
  EXPECT_EQ(host::ModuleLibrary::load("nowhere", error), nullptr);
  EXPECT_NE(error.find(host::DynamicLibrary::fileName("nowhere")), std::string::npos) << error;
}

#include "WindowsFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fstream>

#include "../platform/GdiTestSupport.h"

TEST(WindowsFiles, AFileIsFoundWhateverTheCaseAndSeparatorsOfItsName) {
  gditest::ScratchFolder root;
  ASSERT_TRUE(std::filesystem::create_directory(root.file("Meshes").c_str()));
  std::ofstream(root.file("Meshes/Body.msh")) << "MSHX1\n";
  EXPECT_TRUE(host::windowsFileExists(root.path + "\\MESHES\\body.msh"));
  EXPECT_TRUE(host::windowsFileExists(root.file("Meshes/Body.msh")));
  EXPECT_FALSE(host::windowsFileExists(root.path + "\\Meshes\\Other.msh"));
  EXPECT_FALSE(host::windowsFileExists(""));
}

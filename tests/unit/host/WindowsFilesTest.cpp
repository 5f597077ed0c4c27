#include "WindowsFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "../platform/GdiTestSupport.h"

TEST(WindowsFiles, AFileIsFoundWhateverTheCaseAndSeparatorsOfItsName) {
  gditest::ScratchFolder root;
  ASSERT_EQ(::mkdir(root.file("Meshes").c_str(), 0755), 0);
  std::ofstream(root.file("Meshes/Body.msh")) << "MSHX1\n";
  EXPECT_TRUE(host::windowsFileExists(root.path + "\\MESHES\\body.msh"));
  EXPECT_TRUE(host::windowsFileExists(root.file("Meshes/Body.msh")));
  EXPECT_FALSE(host::windowsFileExists(root.path + "\\Meshes\\Other.msh"));
  EXPECT_FALSE(host::windowsFileExists(""));
}

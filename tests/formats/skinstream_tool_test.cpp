// The skinstream tool copies a skin whose pictures carry the class names of
// the picture readers, as the editor stores a picture opened from such a file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GraphicFormats.h"
#include "brannoxskin.h"

TEST(SkinStreamTool, CopiesASkinWithPicturesOfAnyReader) {
  RegisterGraphicFormats();
  const std::string dir = (std::filesystem::temp_directory_path() / "bx_skinstream_tool").string();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  TBXSkin skin(nullptr);
  skin.Data.Title = "Mixed";
  skin.Data.Kuva.LoadFromFile(std::string(BX_TEST_DATA) + "/pictures/pcx-palette.pcx");
  skin.Data.NewButton.Kuva.LoadFromFile(std::string(BX_TEST_DATA) + "/pictures/gif-local.gif");
  ASSERT_EQ(skin.Data.Kuva.Graphic()->ClassName(), "TPCXGraphic");
  skin.Filename = dir + "/mixed.bxn";
  skin.SaveToFile();

  const std::string command = std::string("\"") + BX_SKINSTREAM + "\" copy \"" + dir + "/mixed.bxn\" \"" + dir +
                              "/copy.bxn\" 2> \"" + dir + "/errors.txt\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  TBXSkin copy(nullptr);
  copy.Filename = dir + "/copy.bxn";
  copy.LoadFromFile();
  EXPECT_EQ(copy.Data.Title, "Mixed");
  ASSERT_NE(copy.Data.Kuva.Graphic(), nullptr);
  EXPECT_EQ(copy.Data.Kuva.Graphic()->ClassName(), "TPCXGraphic");
  EXPECT_EQ(copy.Data.Kuva.Width(), skin.Data.Kuva.Width());
  ASSERT_NE(copy.Data.NewButton.Kuva.Graphic(), nullptr);
  EXPECT_EQ(copy.Data.NewButton.Kuva.Graphic()->ClassName(), "TGIFGraphic");
  std::filesystem::remove_all(dir);
}

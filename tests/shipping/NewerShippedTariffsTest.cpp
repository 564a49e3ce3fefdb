// The note at start about price files a reinstall renewed beside the
// seller's own: which files have a newer shipped version, and the words.
#include <gtest/gtest.h>

#include "shipping/NewerShippedTariffs.h"
#include "support/core/TempFolder.h"
#include "text/Encoding.h"

using namespace torepal;
using namespace torepal::test;

TEST(NewerShippedTariffs, ListsEachChangedFileWithANewerVersionBeside)
{
    TempFolder folder({"tariffs"});
    folder.write("tariffs/yu-packet.toml", "name = \"seller\"\n");
    folder.write("tariffs/yu-packet.toml.new", "name = \"shipped\"\n");
    folder.write("tariffs/clickpost.toml", "name = \"untouched\"\n");
    folder.write("tariffs/teikeigai.toml.new", "name = \"shipped\"\n");
    folder.write("tariffs/notes.txt.new", "not a price file\n");
    folder.write("tariffs/.toml.new", "no name\n");
    std::filesystem::create_directories(folder / "tariffs/folder.toml.new");

    EXPECT_EQ(TariffsWithNewerShippedVersion(folder / "tariffs"),
              (std::vector<std::string>{"teikeigai.toml", "yu-packet.toml"}));
}

TEST(NewerShippedTariffs, NothingWithoutAFolderOrANewerVersion)
{
    TempFolder folder({"tariffs"});
    EXPECT_TRUE(TariffsWithNewerShippedVersion(folder / "missing").empty());
    folder.write("tariffs/yu-packet.toml", "x");
    EXPECT_TRUE(TariffsWithNewerShippedVersion(folder / "tariffs").empty());
    EXPECT_EQ(NewerShippedTariffsMessage({}), "");
}

TEST(NewerShippedTariffs, NoteNamesEveryFileAndItsNewerVersion)
{
    EXPECT_EQ(Utf8FromSjis(NewerShippedTariffsMessage({"yu-packet.toml"})),
              "変更された料金ファイルはそのまま使っています。新しい版を隣に置きました："
              "tariffs/yu-packet.toml → yu-packet.toml.new");
    EXPECT_EQ(Utf8FromSjis(NewerShippedTariffsMessage({"a.toml", "b.toml"})),
              "変更された料金ファイルはそのまま使っています。新しい版を隣に置きました："
              "tariffs/a.toml → a.toml.new、tariffs/b.toml → b.toml.new");
}

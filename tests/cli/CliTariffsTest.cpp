// torepal-cli and the current services: listing a tariff folder, and the
// services a project ticks on the rendered page.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/ProjectFile.h"
#include "support/core/CliRunner.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "text/Lines.h"

using namespace torepal::test;

using namespace torepal;
using torepal::test::CliResult;

namespace {

const std::filesystem::path kShipped = std::filesystem::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs";

class CliTariffs : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ = std::filesystem::temp_directory_path() /
               ("torepal-cli-tariffs-" + std::to_string(::getpid()) + "-" + std::to_string(stamp));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    CliResult run(const std::vector<std::string>& args) { return RunCli(TOREPAL_CLI, args, dir_); }

    std::string project(const ProjectRecord& r)
    {
        const std::filesystem::path p = dir_ / "p.tpf";
        EXPECT_EQ(WriteFileAtomically(p, ToTextMode(BuildProjectText(r))), WriteStatus::Ok);
        return p.string();
    }

    std::filesystem::path dir_;
};

ProjectRecord Listing()
{
    ProjectRecord r;
    r.Title = Sjis("腕時計");
    r.selections = ProjectSelections{11, 0, 12, 0};  // ～1kg, 60size, 東京都, タイプ１
    return r;
}

}  // namespace

TEST_F(CliTariffs, ListsTheShippedServices)
{
    const CliResult r = run({"tariffs", kShipped.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out.starts_with("teikeigai\t定形外郵便\t2024年10月1日改定\thttps://www.post.japanpost.jp/")) << r.out;
    EXPECT_NE(r.out.find("\nyu-packet\tゆうパケット\t2024年10月1日時点\t"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 7);
}

TEST_F(CliTariffs, AnInvalidFileIsNamedAndExitsWithTwo)
{
    const std::filesystem::path folder = dir_ / "tariffs";
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(kShipped / "smartletter.toml", folder / "smartletter.toml");
    std::ofstream(folder / "broken.toml") << "name = \"x\"\nshape = \"flat\"\nprice = 0\n";
    const CliResult r = run({"tariffs", folder.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.starts_with("smartletter\tスマートレター\t")) << r.out;
    EXPECT_TRUE(r.err.starts_with("torepal-cli: broken.toml:")) << r.err;

    EXPECT_EQ(run({"tariffs", (dir_ / "none").string()}).status, 2);
    EXPECT_EQ(run({"tariffs", "a", "b"}).status, 1);
}

TEST_F(CliTariffs, RenderWritesTheProjectsCurrentServices)
{
    ProjectRecord r = Listing();
    const CliResult plain = run({"render", project(r)});
    ASSERT_EQ(plain.status, 0) << plain.err;

    r.currentServices = {"clickpost", "gone"};
    const std::string file = project(r);
    const CliResult with = run({"render", file, "--tariffs", kShipped.string()});
    ASSERT_EQ(with.status, 0) << with.err;
    const std::string block = Sjis("<br><b>▼クリックポスト</b><br> 185円<br>（2018年9月1日改定の料金）<br>");
    EXPECT_NE(with.out.find(block), std::string::npos);
    EXPECT_EQ(plain.out.find(block), std::string::npos);
    EXPECT_NE(with.err.find("「gone」"), std::string::npos) << with.err;

    // Another folder without the file: the service is left out and named.
    std::filesystem::create_directory(dir_ / "empty");
    const CliResult none = run({"render", file, "--tariffs", (dir_ / "empty").string()});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, plain.out);
    EXPECT_NE(none.err.find("「clickpost」"), std::string::npos);
}

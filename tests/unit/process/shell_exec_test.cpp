// The simulated machine records shell requests instead of running them.
#include "platform/shell_exec.h"

#include "process_fixture.h"

namespace kestrone::test {
namespace {

using ShellExec = ProcessTest;

TEST_F(ShellExec, RequestsAreRecordedInOrderAndCanFail) {
    EXPECT_GT(platform::ShellExecuteFile(0x1234, "Open", "E:\\", "", "", platform::kShowNormal),
              32);
    EXPECT_GT(platform::RunCommandLine("explorer /select,C:\\x.exe", platform::kShowNormal), 31u);
    sim::TheShellLog().FailRequests(true);
    EXPECT_LE(platform::ShellExecuteFile(0, "", "http://x/", "", "", platform::kShowDefault), 32);

    const auto& requests = sim::TheShellLog().Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_FALSE(requests[0].commandLine);
    EXPECT_EQ(requests[0].ownerWindow, 0x1234u);
    EXPECT_EQ(requests[0].verb, "Open");
    EXPECT_EQ(requests[0].file, "E:\\");
    EXPECT_TRUE(requests[1].commandLine);
    EXPECT_EQ(requests[1].file, "explorer /select,C:\\x.exe");
    EXPECT_EQ(requests[2].showCommand, platform::kShowDefault);

    world().Reset();
    EXPECT_TRUE(sim::TheShellLog().Requests().empty());
}

}  // namespace
}  // namespace kestrone::test

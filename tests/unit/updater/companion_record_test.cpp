// Update.exe finds Kestrone by the record Kestrone's main window writes.
#include "updater/companion_record.h"

#include <gtest/gtest.h>

#include "app/publish.h"
#include "sim_fixture.h"

namespace kestrone::test {
namespace {

class CompanionRecord : public SimTest {};

TEST_F(CompanionRecord, ReadsBackWhatTheMainWindowPublished) {
    EXPECT_EQ(updater::ReadPublishedKestrone().windowHandle, 0u);  // no Kestrone ran
    PublishMainWindow(0x0001A2B4);
    updater::PublishedKestrone published = updater::ReadPublishedKestrone();
    EXPECT_EQ(published.windowHandle, 0x0001A2B4u);
    EXPECT_EQ(published.mainPath, "C:\\Program Files\\Kestrone\\");
}

}  // namespace
}  // namespace kestrone::test

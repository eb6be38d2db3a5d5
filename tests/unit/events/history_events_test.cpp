#include "core/history_events.h"

#include <fstream>
#include <map>
#include <sstream>

#include "core/history_log.h"
#include "core/quarantine_format.h"
#include "core/refusal_report.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"
#include "sim_fixture.h"
#include "updater/update_flow.h"

namespace kestrone {
namespace {

using platform::EventType;

std::string UpdateText(updater::UpdateResult result) {
    updater::UpdateOutcome outcome;
    outcome.result = result;
    outcome.version = 42;
    outcome.date = "2026-12-01";
    if (result == updater::UpdateResult::Refused) outcome.verdict.refusal = update::Refusal::Expired;
    return outcome.Message();
}

// The history lines as the program writes them, and the event each one gives.
TEST(HistoryEvents, EachKindOfLineHasItsFixedEvent) {
    struct Case {
        std::string kind, text;
        uint32_t id;
        EventType type;
    } cases[] = {
        {"Scan", std::string("E:\\kavo.exe") + kCleanedSuffix, kEventThreatRemoved, EventType::Warning},
        {"Command-line scan", std::string("E:\\kavo.exe") + kCleanedSuffix, kEventThreatRemoved,
         EventType::Warning},
        {"Scan", std::string("KAVO.EXE") + kCleanedInMemorySuffix, kEventThreatRemoved,
         EventType::Warning},
        {"Scan", std::string("E:\\") + kCompletedSuffix, kEventThreatsFound, EventType::Warning},
        {"Popup", std::string("E:\\autorun.inf") + kCleanedSuffix + "\r\nE:\\kavo.exe" + kCleanedSuffix,
         kEventThreatsFound, EventType::Warning},
        {"Scan", RefusalLine(2, RefusalCause::NeedsAdministrator), kEventRemovalRefused,
         EventType::Warning},
        {"Command-line scan", RefusalLine(1, RefusalCause::RefusedAnyway), kEventRemovalRefused,
         EventType::Warning},
        {"Quarantine", "Restored E:\\report.doc", kEventFileRestored, EventType::Information},
        {"Undo", "Undone: Disabled USB storage devices", kEventChangeUndone, EventType::Information},
        {"Update", UpdateText(updater::UpdateResult::Installed), kEventUpdateInstalled,
         EventType::Information},
        {"Update", UpdateText(updater::UpdateResult::AlreadyCurrent), kEventUpdateNothingNewer,
         EventType::Information},
        {"Update", UpdateText(updater::UpdateResult::Refused), kEventUpdateFailed, EventType::Warning},
        {"Update", UpdateText(updater::UpdateResult::NoMirrorReachable), kEventUpdateFailed,
         EventType::Warning},
        {"Change", "Disabled USB storage devices (undo 3)", kEventSystemChanged, EventType::Information},
        {"Policy", "USB storage disabled: yes, write-protected: no", kEventProtectionChanged,
         EventType::Information},
        {"Immunity", "Cancelled", kEventProtectionChanged, EventType::Information},
        {"Repair", "Reset the hosts file", kEventRepaired, EventType::Information},
        // Not worth an administrator's attention.
        {"Scan", std::string("E:\\") + kNoThreatSuffix, kNoEvent, EventType::Information},
        {"Scan", kCleanedSuffix, kNoEvent, EventType::Information},  // nothing before the suffix
        {"Popup", "Scan for E:\\ drive,no threat found", kNoEvent, EventType::Information},
        {"Quarantine", "Deleted quarantine entry 4", kNoEvent, EventType::Information},
        {"Tools", "Unlocked 2 drives", kNoEvent, EventType::Information},
    };
    for (const Case& c : cases) {
        HistoryEvent event = EventForHistoryLine(c.kind, c.text);
        EXPECT_EQ(event.id, c.id) << c.kind << ": " << c.text;
        if (c.id != kNoEvent) {
            EXPECT_EQ(event.type, c.type) << c.kind << ": " << c.text;
        }
    }
}

TEST(HistoryEvents, TheTextIsOneLineAndKeptWithinWhatAnEventTakes) {
    EXPECT_EQ(EventText("E:\\a.exe  cleaned\r\nE:\\b.exe  cleaned"),
              OneLineText("E:\\a.exe  cleaned\r\nE:\\b.exe  cleaned"));
    EXPECT_EQ(EventText("short"), "short");
    std::string huge(kEventTextLimit + 500, 'x');
    std::string cut = EventText(huge);
    EXPECT_EQ(cut.size(), kEventTextLimit);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(EventText(std::string(kEventTextLimit, 'y')).size(), kEventTextLimit);
}

class EventsOfHistory : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
    }
};

TEST_F(EventsOfHistory, WritingTheHistoryWritesTheEventUnderKestronesSource) {
    AppendHistory("Scan", std::string("E:\\kavo.exe") + kCleanedSuffix);
    AppendHistory("Scan", std::string("E:\\") + kNoThreatSuffix);
    AppendHistory("Undo", "Undone: Reset the hosts file");
    const auto& events = world().Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].source, "Kestrone");
    EXPECT_EQ(events[0].id, kEventThreatRemoved);
    EXPECT_EQ(events[0].type, EventType::Warning);
    EXPECT_EQ(events[0].strings, std::vector<std::string>{"E:\\kavo.exe  cleaned"});
    EXPECT_EQ(events[1].id, kEventChangeUndone);
    EXPECT_EQ(ReadHistory().size(), 3u);
}

TEST_F(EventsOfHistory, AnEventLogThatRefusesLeavesTheHistoryWhole) {
    world().RefuseEvents(true);
    AppendHistory("Scan", std::string("E:\\kavo.exe") + kCleanedSuffix);
    EXPECT_TRUE(world().Events().empty());
    ASSERT_EQ(ReadHistory().size(), 1u);
}

TEST_F(EventsOfHistory, AHistoryThatCannotBeWrittenStillReachesTheEventLog) {
    world().MakeWriteProtected("C:\\Program Files\\Kestrone");
    AppendHistory("Quarantine", "Restored E:\\report.doc");
    ASSERT_EQ(world().Events().size(), 1u);
    EXPECT_EQ(world().Events()[0].id, kEventFileRestored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// MessageId=<n> ... Language=English, then the text up to a line ".".
std::map<uint32_t, std::string> MessagesOfTable(const std::string& mc) {
    std::map<uint32_t, std::string> messages;
    std::istringstream lines(mc);
    std::string line;
    uint32_t id = 0;
    bool inText = false;
    std::string text;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inText) {
            if (line == ".") {
                messages[id] = text;
                inText = false;
            } else {
                text += (text.empty() ? "" : "\n") + line;
            }
        } else if (line.rfind("MessageId=", 0) == 0) {
            id = static_cast<uint32_t>(std::stoul(line.substr(10)));
        } else if (line.rfind("Language=", 0) == 0) {
            inText = true;
            text.clear();
        } else if (line.rfind("Severity=", 0) == 0 || line.rfind("Facility=", 0) == 0) {
            // Success and System keep the number as it is: the event's ID.
            EXPECT_TRUE(line == "Severity=Success" || line == "Facility=System") << line;
        }
    }
    return messages;
}

TEST(EventMessageTable, HoldsEveryEventWithTheSameNumberAndText) {
    std::map<uint32_t, std::string> table = MessagesOfTable(ReadFile(KESTRONE_EVENTS_MC));
    EXPECT_EQ(table.size(), EventDescriptions().size());
    for (const EventDescription& event : EventDescriptions()) {
        ASSERT_TRUE(table.count(event.id)) << event.id;
        EXPECT_EQ(table[event.id], event.message) << event.id;
    }
}

TEST(EventMessageTable, TheHelpListsEveryEventNumber) {
    std::string page = ReadFile(KESTRONE_HELP_DIR "/administrators.html");
    ASSERT_FALSE(page.empty());
    for (const EventDescription& event : EventDescriptions())
        EXPECT_NE(page.find("<td>" + std::to_string(event.id) + "</td>"), std::string::npos)
            << event.id;
}

}  // namespace
}  // namespace kestrone

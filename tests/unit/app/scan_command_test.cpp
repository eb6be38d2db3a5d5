// The scan page's Start and Stop: target order, the closing line, the status
// panels, and what Stop does when.
#include "app/scan_command.h"

#include <gtest/gtest.h>

namespace kestrone {
namespace {

struct Recorder {
    TextList report;
    std::vector<std::string> events;
    ScanPorts Ports(OnDemandScan** self = nullptr) {
        ScanPorts ports;
        ports.appendLines = [this](const TextList& lines) {
            report.insert(report.end(), lines.begin(), lines.end());
        };
        ports.setStatus = [this](int panel, const std::string& text) {
            events.push_back("panel" + std::to_string(panel) + "=" + text);
        };
        ports.decryptDataFiles = [this] { events.push_back("decrypt"); };
        ports.scanMemory = [this, self] {
            events.push_back(self && *self && (*self)->FScanning ? "memory(scanning)" : "memory");
            return TextList{"No threat found in memory", "\r"};
        };
        ports.scanFixedDrives = [this] {
            events.push_back("fixed");
            return TextList{"C:\\  no threat found"};
        };
        ports.scanRemovableDrives = [this] {
            events.push_back("removable");
            return TextList{"E:\\  no threat found", "\r", "\r"};
        };
        return ports;
    }
};

TEST(OnDemandScan, TargetsRunInOrderAndTheReportEndsWithTheClosingLine) {
    struct Case {
        ScanTargets targets;
        TextList report;
    } const cases[] = {
        {{true, true, true},
         {"No threat found in memory", "\r", "C:\\  no threat found", "E:\\  no threat found", "\r",
          "\r", kScanCompletedLine}},
        {{false, true, false}, {"C:\\  no threat found", kScanCompletedLine}},
        {{false, false, true}, {"E:\\  no threat found", "\r", "\r", kScanCompletedLine}},
        {{false, false, false}, {}},
    };
    for (const Case& c : cases) {
        Recorder recorder;
        OnDemandScan scan(recorder.Ports());
        scan.Start(c.targets);
        EXPECT_EQ(recorder.report, c.report);
    }
}

TEST(OnDemandScan, MemoryScanRunsFlaggedBetweenTheStatusTexts) {
    Recorder recorder;
    OnDemandScan* self = nullptr;
    OnDemandScan scan(recorder.Ports(&self));
    self = &scan;
    scan.Start({true, false, false});
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"decrypt", "panel0=Scanning",
                                                         "memory(scanning)", "panel0=Stop",
                                                         "panel1="}));
    EXPECT_FALSE(scan.FScanning);
}

TEST(OnDemandScan, SecondStartAppendsBelowTheFirst) {
    Recorder recorder;
    OnDemandScan scan(recorder.Ports());
    scan.Start({false, true, false});
    scan.Start({false, true, false});
    EXPECT_EQ(recorder.report, (TextList{"C:\\  no threat found", kScanCompletedLine,
                                         "C:\\  no threat found", kScanCompletedLine}));
}

TEST(OnDemandScan, StopReachesOnlyTheMemoryScanAndIsClearedAfterIt) {
    Recorder recorder;
    ScanPorts ports = recorder.Ports();
    OnDemandScan* self = nullptr;
    bool sawStop = false;
    ports.scanMemory = [&] {
        self->Stop();  // the user presses Stop while the folder walk runs
        sawStop = self->FStopRequested && !self->FScanning;
        return TextList{"stopped early"};
    };
    ports.scanFixedDrives = [&] {
        self->Stop();  // no effect on a drive scan
        EXPECT_FALSE(self->FStopRequested);
        return TextList{"C:\\  no threat found"};
    };
    OnDemandScan scan(ports);
    self = &scan;
    scan.Start({true, true, false});
    EXPECT_TRUE(sawStop);
    EXPECT_FALSE(scan.FStopRequested);
    EXPECT_EQ(recorder.report.back(), kScanCompletedLine);
}

TEST(OnDemandScan, StartInsideARunningScanIsIgnored) {
    Recorder recorder;
    ScanPorts ports = recorder.Ports();
    OnDemandScan* self = nullptr;
    ports.scanFixedDrives = [&] {
        // A modal question inside the drive scan lets a second click through.
        self->Start({false, false, true});
        return TextList{"C:\\  no threat found"};
    };
    OnDemandScan scan(ports);
    self = &scan;
    scan.Start({false, true, false});
    EXPECT_EQ(recorder.report, (TextList{"C:\\  no threat found", kScanCompletedLine}));
    EXPECT_FALSE(scan.Busy());
}

TEST(OnDemandScan, AFailingMemoryScanLeavesTheFlagsClear) {
    Recorder recorder;
    ScanPorts ports = recorder.Ports();
    ports.scanMemory = []() -> TextList { throw std::runtime_error("broken definitions"); };
    OnDemandScan scan(ports);
    EXPECT_THROW(scan.Start({true, true, true}), std::runtime_error);
    EXPECT_FALSE(scan.FScanning);
    EXPECT_FALSE(scan.Busy());
    EXPECT_EQ(recorder.events.back(), "panel0=Stop");
}

}  // namespace
}  // namespace kestrone

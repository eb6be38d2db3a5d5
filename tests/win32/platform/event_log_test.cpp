// The event log through the real API, and the message table that gives the
// events their texts: compiled into both programs, one text per event ID.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/history_events.h"
#include "platform/event_log.h"

namespace kestrone {
namespace {

TEST(EventLog, AnEventIsAcceptedUnderKestronesSource) {
    EXPECT_TRUE(platform::WriteLogEvent(kEventSource, platform::EventType::Warning,
                                        kEventThreatRemoved, {"E:\\WORM.EXE  cleaned"}));
    EXPECT_TRUE(platform::WriteLogEvent(kEventSource, platform::EventType::Information,
                                        kEventChangeUndone, {}));
}

// The text Windows' event viewer shows for an event of a program's table.
std::string MessageOf(HMODULE module, uint32_t id, const char* insert) {
    char* text = nullptr;
    DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(insert)};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                      FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  module, id, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                  reinterpret_cast<char*>(&text), 0,
                                  reinterpret_cast<va_list*>(arguments));
    std::string message = length ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    return message;
}

TEST(EventLog, BothProgramsCarryTheTextOfEveryEvent) {
    for (const char* program : {"Kestrone.exe", "kestrone-scan.exe"}) {
        SCOPED_TRACE(program);
        std::string path = std::string(KESTRONE_TEST_BIN_DIR) + "/" + program;
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << path;
        for (const EventDescription& event : EventDescriptions()) {
            std::string expected = event.message;
            expected.replace(expected.find("%1"), 2, "E:\\WORM.EXE");
            EXPECT_EQ(MessageOf(module, event.id, "E:\\WORM.EXE"), expected + "\r\n") << event.id;
        }
        EXPECT_EQ(MessageOf(module, 999, "x"), "");  // no other numbers
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace kestrone

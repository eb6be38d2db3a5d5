// Update.exe's command line, as Kestrone, administrators' scripts and users type it.
#include <gtest/gtest.h>

#include "updater/updater_arguments.h"

namespace kestrone::updater {
namespace {

TEST(UpdaterArguments, EachFormIsReadOrRefused) {
    struct Case {
        std::vector<std::string> arguments;
        bool ok, silent;
        const char* folder;
    } cases[] = {
        {{}, true, false, ""},
        {{"Grimbolt"}, true, false, ""},
        {{"/S"}, true, true, ""},
        {{"-s"}, true, true, ""},
        {{"/S", "/FOLDER=D:\\Package"}, true, true, "D:\\Package"},
        {{"/folder=\\\\server\\defs\\new"}, true, false, "\\\\server\\defs\\new"},
        {{"Grimbolt", "/S"}, true, true, ""},
        {{"/FOLDER="}, false, false, ""},
        {{"/FOLDER=a", "/FOLDER=b"}, false, false, ""},
        {{"/Silent"}, false, false, ""},
        {{"D:\\Package"}, false, false, ""},
        {{"/"}, false, false, ""},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments) shown += argument + " ";
        SCOPED_TRACE(shown);
        UpdaterArguments parsed = ParseUpdaterArguments(c.arguments);
        EXPECT_EQ(parsed.ok, c.ok);
        if (!c.ok) {
            EXPECT_FALSE(parsed.problem.empty());
            continue;
        }
        EXPECT_EQ(parsed.silent, c.silent);
        EXPECT_EQ(parsed.packageFolder, c.folder);
    }
}

}  // namespace
}  // namespace kestrone::updater

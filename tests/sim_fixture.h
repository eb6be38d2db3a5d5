// A fresh simulated machine for every test.
#pragma once

#include <gtest/gtest.h>

#include "core/data_places.h"
#include "core/shell.h"
#include "platform/sim/world.h"

namespace kestrone::test {

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        world().Reset();
        ForgetDataLayout();
        InstallShell(nullptr);
    }
    void TearDown() override { InstallShell(nullptr); }
    static sim::World& world() { return sim::TheWorld(); }
    // The usual PC of a test: a fixed C: with its Temp folder and a
    // removable E:, and, when asked, the program's folder.
    static void AddPcWithStick(bool programFolder = false) {
        world().AddDrive('C', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFolder("C:\\Temp");
        if (programFolder) world().AddFolder("C:\\Program Files\\Kestrone");
    }
};

}  // namespace kestrone::test

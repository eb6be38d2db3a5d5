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
};

}  // namespace kestrone::test
